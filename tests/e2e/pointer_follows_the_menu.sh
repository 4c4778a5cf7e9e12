#!/usr/bin/env bash
# The pointer over ADDRESS SOFTWARE, INDEX SOFTWARE and EXIT is the hand made
# from their icon, 32 by 32 layout pixels with its hot spot in the middle; over OTHER
# SOFTWARES, which has no pointer of its own, and over the background it is
# the desktop's ordinary pointer.
. "$(dirname "$0")/desktop.sh"
EXE=$1
PROBE=$3

desktop_start
menu_start "$EXE"
cursor_is() { [ "$("$PROBE")" = "$1" ]; }
cursor_is_not() { [ "$("$PROBE")" != "$1" ]; }

# The picture at the scale's cursor size: 32 layout pixels square.
hand="$(dev 32)x$(dev 32)+$(dev 16)+$(dev 16)"
background="$(dev 300) $(dev 200)"
xdotool mousemove $background
wait_until 5 cursor_is_not "$hand" || fail "the background shows the hand: $("$PROBE")"
for entry in "104 255" "105 313" "106 428"; do
    read -r x y <<<"$entry"
    xdotool mousemove "$(dev "$x")" "$(dev "$y")"
    wait_until 5 cursor_is "$hand" || fail "the entry at ($entry) shows $("$PROBE"), not the hand"
    xdotool mousemove $background
    wait_until 5 cursor_is_not "$hand" || fail "the pointer stayed the hand after leaving ($entry)"
done
xdotool mousemove "$(dev 107)" "$(dev 369)"
wait_until 5 has_colour "$(dev 26)" "$(dev 360)" "$(dev 165)" "$(dev 20)" 00FFFF 10 || fail "OTHER SOFTWARES did not turn cyan"
cursor_is_not "$hand" || fail "OTHER SOFTWARES shows the hand"
kill -TERM "$MENU_PID"
expect_menu_ends_with_panel_back
echo "ok: the hand shows over the entries only"
