#!/usr/bin/env bash
# SIGTERM, SIGINT and SIGHUP end the menu and bring the panel back.
. "$(dirname "$0")/desktop.sh"
EXE=$1

desktop_start
for sig in TERM INT HUP; do
    menu_start "$EXE"
    [ "$(map_state "$PANEL")" = IsUnMapped ] || fail "the panel was not hidden before SIG$sig"
    kill -s "$sig" "$MENU_PID"
    expect_menu_ends_with_panel_back
    echo "ok: SIG$sig ends the menu and shows the panel"
done
