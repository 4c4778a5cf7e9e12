#!/usr/bin/env bash
# At scale 2 (GDK_SCALE=2) on a 1024x768 screen the layout would be 1280x960:
# the menu draws it at the largest scale at which it fits instead, at the
# screen's resolution, pixel for pixel as the preview tool paints it there.
# All four entries are on the screen and answer the pointer where they are
# drawn, the hand pointer is drawn at that scale, and EXIT ends the menu.
E2E_SCALE=2 E2E_WIDTH=1024 E2E_HEIGHT=768
. "$(dirname "$0")/desktop.sh"
EXE=$1
PREVIEW=$2
CURSOR_PROBE=$3
BOXES=$4

preview_screens "$PREVIEW"
control_boxes "$BOXES"
awk -v d="$E2E_DRAWN" 'BEGIN { exit !(d > 1.55 && d < 1.6) }' || fail "the layout is fitted at $E2E_DRAWN, not about 1.59"

desktop_start
xdotool mousemove $((E2E_WIDTH - 1)) $((E2E_HEIGHT - 1))
menu_start "$EXE"
wait_until 30 client_matches "$E2E_TMP/start.png" || fail "the start screen differs in $DIFFERING pixels"

for state in address:Label8 index:Label10 other:Label11 exit:Label12; do
    point "${state#*:}"
    [ "$PX" -lt "$E2E_WIDTH" ] && [ "$PY" -lt "$E2E_HEIGHT" ] || fail "${state#*:} lies off the screen at $PX,$PY"
    xdotool mousemove "$PX" "$PY"
    wait_until 30 client_matches "$E2E_TMP/${state%%:*}.png" ||
        fail "over ${state#*:} the screen differs from the headless one in $DIFFERING pixels"
    echo "ok: ${state#*:} on the screen at $PX,$PY"
done
# The hand, 32 layout pixels at the fitted scale in an even number of pixels
# of scale 2 (its centre, the hot spot, on a whole one).
expected=$(awk -v d="$E2E_DRAWN" 'BEGIN { n = int(32 * d / 4 + 0.5) * 4; printf "%dx%d+%d+%d", n, n, n / 2, n / 2 }')
[ "$("$CURSOR_PROBE")" = "$expected" ] || fail "the pointer over EXIT is $("$CURSOR_PROBE"), not $expected"

xdotool click 1
expect_menu_ends_with_panel_back
echo "ok: the menu fits a 1024x768 screen at scale 2"
