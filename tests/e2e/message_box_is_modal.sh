#!/usr/bin/env bash
# The message box belongs to the menu window and is modal: while it is open
# the menu takes no clicks, not even on EXIT; the window manager offers to
# move and close it, not to minimise, maximise or resize it; minimised anyway,
# it and the menu come back; once it is closed the menu answers again.
. "$(dirname "$0")/desktop.sh"
EXE=$1

desktop_start
mkdir "$E2E_TMP/disc"
cp "$EXE" "$E2E_TMP/disc/install-menu"
menu_start "$E2E_TMP/disc/install-menu" /

# INDEX SOFTWARE, with no installer beside the menu.
xdotool mousemove 300 300 sleep 0.2 mousemove 105 313 sleep 0.2 click 1
wait_until 10 find_window BOX --name "^Message Window$" || fail "no message box"
owner=$(xprop -id "$BOX" WM_TRANSIENT_FOR | sed -n 's/.*window id # //p')
[ "$((owner))" -eq "$((MENU_WINDOW))" ] || fail "the message box belongs to $owner, not to the menu $MENU_WINDOW"
xprop -id "$BOX" _NET_WM_STATE | grep -q _NET_WM_STATE_MODAL || fail "the message box is not modal for the window manager"
actions() { xprop -id "$BOX" _NET_WM_ALLOWED_ACTIONS; }
wait_until 5 sh -c "xprop -id $BOX _NET_WM_ALLOWED_ACTIONS | grep -q _NET_WM_ACTION_CLOSE" ||
    fail "the window manager offers no close for the message box: $(actions)"
actions | grep -q _NET_WM_ACTION_MOVE || fail "the message box cannot be moved: $(actions)"
for refused in MINIMIZE MAXIMIZE_HORZ MAXIMIZE_VERT RESIZE FULLSCREEN; do
    actions | grep -q "_NET_WM_ACTION_$refused" && fail "the window manager offers $refused for the message box: $(actions)"
done

# Minimised all the same (a pager or a key binding can ask for it), the box
# or the menu, which the window manager minimises with its box: both stay,
# or come back at once.
for minimised in "$BOX" "$MENU_WINDOW"; do
    xdotool windowminimize "$minimised"
    sleep 1
    wait_until 5 map_state_is "$MENU_WINDOW" IsViewable || fail "the menu stayed minimised: $(map_state "$MENU_WINDOW")"
    wait_until 5 map_state_is "$BOX" IsViewable || fail "the message box stayed minimised: $(map_state "$BOX")"
done

xdotool mousemove 300 300 sleep 0.2 mousemove 106 428 sleep 0.2 click 1
sleep 1
menu_running || fail "the menu took a click on EXIT while its message box was open"
[ "$(map_state "$PANEL")" = IsUnMapped ] || fail "the panel came back while the menu is up"

xdotool windowactivate --sync "$BOX" 2>/dev/null
xdotool key Return
wait_until 10 sh -c "! xdotool search --onlyvisible --name '^Message Window$' >/dev/null 2>&1" ||
    fail "the message box did not close"
xdotool mousemove 300 300 sleep 0.2 mousemove 106 428 sleep 0.2 click 1
expect_menu_ends_with_panel_back
echo "ok: the message box is the menu's own and modal"
