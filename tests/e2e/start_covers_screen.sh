#!/usr/bin/env bash
# The menu starts maximized over the whole screen with its frame and white
# background, and the panel is hidden while it runs.
. "$(dirname "$0")/desktop.sh"
EXE=$1

desktop_start
menu_start "$EXE"

geometry=$(xwininfo -id "$MENU_WINDOW" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /Width:/ {w=$NF} /Height:/ {h=$NF} END {print w "x" h "+" x "+" y}')
[ "$geometry" = "1024x768+0+0" ] || fail "the window is $geometry, not the whole 1024x768 screen"

# Screen (1,1) is the client area's corner, Form1's white; (2,2) lies inside
# Picture1, one pixel further in; (0,0) is the frame.
[ "$(pixel 1 1)" = FFFFFF ] || fail "client (0,0) is $(pixel 1 1), not white"
[ "$(pixel 2 2)" != FFFFFF ] || fail "Picture1 does not start one pixel inside the client area"
[ "$(pixel 0 0)" != FFFFFF ] || fail "the window has no frame"

[ "$(map_state "$PANEL")" = IsUnMapped ] || fail "the panel is $(map_state "$PANEL") while the menu runs"
echo "ok: the window covers the screen and the panel is hidden"
