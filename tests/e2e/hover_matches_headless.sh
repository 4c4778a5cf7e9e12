#!/usr/bin/env bash
# The real window answers the real pointer as the form does headless: after
# the same moves (from the background onto each entry and the logo) the screen inside
# the frame is, pixel for pixel, what the preview tool paints. A press on
# EXIT released over another entry clicks nothing.
. "$(dirname "$0")/desktop.sh"
EXE=$1
PREVIEW=$2
BOXES=$4

preview_screens "$PREVIEW"
control_boxes "$BOXES"

desktop_start
xdotool mousemove $((E2E_WIDTH - 1)) $((E2E_HEIGHT - 1))  # over the window's own background, which takes no events
menu_start "$EXE"
wait_until 30 client_matches "$E2E_TMP/start.png" || fail "the start screen differs in $DIFFERING pixels"

# Each state reached as the preview tool reaches it: from the background
# onto the control, as a hand on the mouse would.
for state in background:Picture1 address:Label8 index:Label10 other:Label11 exit:Label12 contact:Image1; do
    point Picture1
    xdotool mousemove "$PX" "$PY" sleep 0.2
    point "${state#*:}"
    xdotool mousemove "$PX" "$PY"
    wait_until 30 client_matches "$E2E_TMP/${state%%:*}.png" ||
        fail "over ${state#*:} the screen differs from the headless one in $DIFFERING pixels"
    echo "ok: over ${state#*:} as headless"
done

point Label12
xdotool mousemove "$PX" "$PY" mousedown 1
point Label11
xdotool mousemove "$PX" "$PY" mouseup 1
sleep 0.5
menu_running || fail "EXIT pressed and released over another entry ended the menu"

point Label12
xdotool mousemove "$PX" "$PY" click 1
expect_menu_ends_with_panel_back
echo "ok: the menu answers the pointer as the form does headless"
