#!/usr/bin/env bash
# The menu starts maximized over the whole screen with its frame and white
# background, shows inside the frame exactly the start screen that the
# headless back end paints, with its menu entries drawn bold, and hides the
# panel while it runs.
. "$(dirname "$0")/desktop.sh"
EXE=$1
PREVIEW=$2
BOXES=$4
INK=$5

desktop_start
menu_start "$EXE"

geometry=$(xwininfo -id "$MENU_WINDOW" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /Width:/ {w=$NF} /Height:/ {h=$NF} END {print w "x" h "+" x "+" y}')
screen="${E2E_WIDTH}x${E2E_HEIGHT}"
[ "$geometry" = "$screen+0+0" ] || fail "the window is $geometry, not the whole $screen screen"

# Layout pixel (1,1) is the client area's corner, Form1's white; (2,2) lies
# inside Picture1, one pixel further in; (0,0) is the frame. Each is a whole
# square of device pixels, as many wide as the scale.
last=$((E2E_SCALE - 1))
[ "$(pixel "$(dev 1)" "$(dev 1)")" = FFFFFF ] || fail "client (0,0) is $(pixel "$(dev 1)" "$(dev 1)"), not white"
[ "$(pixel $(($(dev 2) - 1)) $(($(dev 2) - 1)))" = FFFFFF ] || fail "the client area's corner is not a whole layout pixel"
[ "$(pixel "$(dev 2)" "$(dev 2)")" != FFFFFF ] || fail "Picture1 does not start one pixel inside the client area"
[ "$(pixel 0 0)" != FFFFFF ] || fail "the window has no frame"
[ "$(pixel "$last" "$last")" != FFFFFF ] || fail "the frame is not a whole layout pixel wide"

# Inside the frame: pixel for pixel the headless start screen of a 1022x766
# client area at the same scale.
preview_screens "$PREVIEW"
client_matches "$E2E_TMP/start.png" || fail "$DIFFERING pixels of the window differ from the headless start screen"

# The four menu entries in a bold face, each on one line: strokes two pixels
# wide and more (a regular face's are one), as the render tests measure them.
control_boxes "$BOXES"
client_shot "$E2E_TMP/client.png"
for entry in Label8 Label10 Label11 Label12; do
    read -r _ l t w h < <(grep "^$entry " "$E2E_TMP/boxes.txt")
    seen=$("$INK" "$E2E_TMP/client.png" "$(dev "$l")" "$(dev "$t")" "$(dev "$w")" "$(dev "$h")" 00FF00) ||
        fail "ink_probe failed on $entry"
    echo "$seen" | awk -v scale="$E2E_SCALE" '{ exit !($2 == 1 && $6 >= 2.2 * scale) }' ||
        fail "$entry is not one line of bold text: $seen"
done

[ "$(map_state "$PANEL")" = IsUnMapped ] || fail "the panel is $(map_state "$PANEL") while the menu runs"
echo "ok: the window covers the screen and the panel is hidden"
