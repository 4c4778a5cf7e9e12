#!/usr/bin/env bash
# The real window answers the real pointer as the form does headless: after
# the same moves (from the background onto each entry and the logo) the screen inside
# the frame is, pixel for pixel, what the preview tool paints. A press on
# EXIT released over another entry clicks nothing.
. "$(dirname "$0")/desktop.sh"
EXE=$1
PREVIEW=$2
BOXES=$4

"$PREVIEW" "$E2E_TMP" 1024x768 >/dev/null || fail "the preview tool failed"
"$BOXES" >"$E2E_TMP/boxes.txt" || fail "the control boxes tool failed"

# The screen point the preview tool moves to for a control: its centre, and
# for the picture box a point near its bottom-left corner that no other
# control covers; one frame pixel further on screen.
point() {
    local name l t w h
    read -r name l t w h < <(grep "^$1 " "$E2E_TMP/boxes.txt")
    [ -n "${name:-}" ] || fail "no control $1"
    if [ "$1" = Picture1 ]; then
        PX=$((l + 10 + 1)) PY=$((t + h - 10 + 1))
    else
        PX=$((l + w / 2 + 1)) PY=$((t + h / 2 + 1))
    fi
}

desktop_start
xdotool mousemove 1023 767  # over the window's own background, which takes no events
menu_start "$EXE"
wait_until 10 client_matches "$E2E_TMP/start.png" || fail "the start screen differs in $DIFFERING pixels"

# Each state reached as the preview tool reaches it: from the background
# onto the control, as a hand on the mouse would.
for state in background:Picture1 address:Label8 index:Label10 other:Label11 exit:Label12 contact:Image1; do
    point Picture1
    xdotool mousemove "$PX" "$PY" sleep 0.2
    point "${state#*:}"
    xdotool mousemove "$PX" "$PY"
    wait_until 10 client_matches "$E2E_TMP/${state%%:*}.png" ||
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
