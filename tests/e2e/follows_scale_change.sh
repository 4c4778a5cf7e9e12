#!/usr/bin/env bash
# The desktop's scale factor changes while the menu runs (as when the user
# sets 200 % in the display settings, which GTK hears through XSETTINGS): the
# menu lays itself out again on the same 2048x1536 screen at the new scale,
# draws at device resolution, and answers the pointer at the new scale.
E2E_WIDTH=2048 E2E_HEIGHT=1536
. "$(dirname "$0")/desktop.sh"
EXE=$1
PREVIEW=$2
PROBE=$3
BOXES=$4
unset GDK_SCALE  # GTK takes the scale from XSETTINGS only without it

preview_screens "$PREVIEW" "$E2E_TMP/one"
E2E_SCALE=2 preview_screens "$PREVIEW" "$E2E_TMP/two"
control_boxes "$BOXES"

desktop_start
echo 'Gdk/WindowScalingFactor 1' >"$E2E_TMP/xsettings"
xsettingsd -c "$E2E_TMP/xsettings" >"$E2E_TMP/xsettingsd.log" 2>&1 &
E2E_PIDS+=($!)
XSETTINGSD=$!
wait_until 10 grep -q "Took ownership" "$E2E_TMP/xsettingsd.log" || fail "xsettingsd did not start"

xdotool mousemove $((E2E_WIDTH - 1)) $((E2E_HEIGHT - 1))
menu_start "$EXE"
wait_until 30 client_matches "$E2E_TMP/one/start.png" || fail "at scale 1 the screen differs in $DIFFERING pixels"
echo "ok: scale 1 on the 2048x1536 screen"

echo 'Gdk/WindowScalingFactor 2' >"$E2E_TMP/xsettings"
kill -HUP "$XSETTINGSD"
E2E_SCALE=2
wait_until 30 client_matches "$E2E_TMP/two/start.png" ||
    fail "after the change to scale 2 the screen differs from the headless one in $DIFFERING pixels"
echo "ok: laid out again at scale 2"

point Picture1
xdotool mousemove "$PX" "$PY" sleep 0.2
point Label8
xdotool mousemove "$PX" "$PY"
wait_until 30 client_matches "$E2E_TMP/two/address.png" ||
    fail "over ADDRESS SOFTWARE at scale 2 the screen differs from the headless one in $DIFFERING pixels"
hand="$(dev 32)x$(dev 32)+$(dev 16)+$(dev 16)"
wait_until 5 sh -c '[ "$("$1")" = "$2" ]' _ "$PROBE" "$hand" || fail "the pointer is $("$PROBE"), not the hand at $hand"

kill -TERM "$MENU_PID"
expect_menu_ends_with_panel_back
echo "ok: the menu follows the scale factor while it runs"
