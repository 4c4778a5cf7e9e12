#!/usr/bin/env bash
# A screen reader's client (python3-gi's Atspi, read_menu.py) on a session
# bus of the case's own, with the AT-SPI bus it starts: it finds the menu's
# four entries as links, reads ADDRESS SOFTWARE's description after the
# pointer moves onto it, and its action on INDEX SOFTWARE starts the
# installer.
if [ -z "${E2E_OWN_SESSION_BUS:-}" ]; then
    E2E_OWN_SESSION_BUS=1 exec dbus-run-session -- bash "$0" "$@"
fi
. "$(dirname "$0")/desktop.sh"
EXE=$1
BOXES=$4

control_boxes "$BOXES"
desktop_start
disc_with "$EXE" QUV.exe

menu_start "$DISC/install-menu" /
# The system's Python: python3-gi belongs to it.
/usr/bin/python3 "$(dirname "$0")/read_menu.py" "$MENU_PID" "$E2E_TMP/boxes.txt" "$DISC/QUV.exe.ran" ||
    fail "the screen reader's view of the menu is wrong"
menu_running || fail "the menu ended"

kill -TERM "$MENU_PID"
expect_menu_ends_with_panel_back
echo "ok: a screen reader finds, reads and works the menu"
