#!/usr/bin/env bash
# The menu worked from the keyboard alone: the first Tab shows ADDRESS
# SOFTWARE hovered with its description and a focus rectangle, pixel for
# pixel as the headless form paints it; Tab, Enter starts the office
# installer; on ADDRESS SOFTWARE, whose installer is missing, Enter opens
# the message box, which takes the next Enter itself; Shift+Tab to EXIT and
# Enter end the menu with the panel back.
. "$(dirname "$0")/desktop.sh"
EXE=$1
PREVIEW=$2

preview_screens "$PREVIEW"

desktop_start
disc_with "$EXE" QUV.exe

xdotool mousemove $((E2E_WIDTH - 1)) $((E2E_HEIGHT - 1))  # over the window's own edge, which takes no events
menu_start "$DISC/install-menu" /
xdotool windowactivate --sync "$MENU_WINDOW" 2>/dev/null || xdotool windowfocus --sync "$MENU_WINDOW"
wait_until 10 client_matches "$E2E_TMP/start.png" || fail "the start screen differs in $DIFFERING pixels"

xdotool key Tab
wait_until 10 client_matches "$E2E_TMP/tab.png" ||
    fail "after the first Tab the screen differs from the headless one in $DIFFERING pixels"
cp "$E2E_TMP/client.ppm" "$E2E_TMP/after-tab.ppm"
echo "ok: the first Tab hovers ADDRESS SOFTWARE with its description and focus"

xdotool key Tab Return
wait_until 10 test -s "$DISC/QUV.exe.ran" || fail "Tab, Tab, Enter did not start QUV.exe"
sleep 0.5
[ "$(wc -l <"$DISC/QUV.exe.ran")" -eq 1 ] || fail "Enter started QUV.exe more than once"
menu_running || fail "the menu ended after starting the installer"
echo "ok: Tab, Tab, Enter starts the office installer"

# ADDRESS SOFTWARE has no installer here: Enter opens the message box, and
# the Enter that closes it goes to the box, not to the menu behind it.
xdotool key shift+Tab Return
wait_until 10 find_window BOX --name "^Message Window$" || fail "no message box for the missing installer"
xdotool key Return
box_gone() { ! xdotool search --onlyvisible --name '^Message Window$' >/dev/null 2>&1; }
wait_until 10 box_gone || fail "Enter did not close the message box"
sleep 0.5
box_gone || fail "the Enter that closed the box reached the menu and opened it again"
echo "ok: Enter on ADDRESS SOFTWARE says its installer is missing, and the box takes its own keys"

xdotool key shift+Tab Return
expect_menu_ends_with_panel_back
echo "ok: Shift+Tab and Enter from ADDRESS SOFTWARE is EXIT"
