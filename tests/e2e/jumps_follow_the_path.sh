#!/usr/bin/env bash
# The screen follows the pointer's path, not how often the pointer was
# sampled: a jump from one entry straight onto another, in one report, shows
# pixel for pixel what the same path through the background shows (the
# preview tool's screens); so does the menu opening under a pointer that
# rests on an entry, and the pointer's hand follows it.
. "$(dirname "$0")/desktop.sh"
EXE=$1
PREVIEW=$2
CURSOR_PROBE=$3
BOXES=$4

preview_screens "$PREVIEW"
control_boxes "$BOXES"

desktop_start
point Label8
xdotool mousemove "$PX" "$PY"  # where ADDRESS SOFTWARE will be
menu_start "$EXE"
wait_until 30 client_matches "$E2E_TMP/address.png" ||
    fail "opening under a pointer on ADDRESS SOFTWARE, the screen differs in $DIFFERING pixels"
echo "ok: opened under the pointer as if it had come over the background"

# Each jump in one report of the pointer, from the entry before it.
for state in exit:Label12 index:Label10 other:Label11 address:Label8 other:Label11 exit:Label12 address:Label8; do
    point "${state#*:}"
    xdotool mousemove "$PX" "$PY"
    wait_until 30 client_matches "$E2E_TMP/${state%%:*}.png" ||
        fail "jumping onto ${state#*:} the screen differs from the path through the background in $DIFFERING pixels"
    echo "ok: a jump onto ${state#*:}"
done
"$CURSOR_PROBE" >"$E2E_TMP/cursor.txt" 2>&1 && grep -q "32x32" "$E2E_TMP/cursor.txt" ||
    fail "the pointer over ADDRESS SOFTWARE is not the hand: $(cat "$E2E_TMP/cursor.txt")"

point Label12
xdotool mousemove "$PX" "$PY" click 1
expect_menu_ends_with_panel_back
echo "ok: the screen follows the pointer's path"
