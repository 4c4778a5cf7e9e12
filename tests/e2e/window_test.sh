#!/usr/bin/env bash
# The menu's window on a real desktop: what it shows at start, how it
# answers the pointer, and EXIT.
#
#   window_test.sh start|hover|bare
source "$(dirname "$0")/desktop.sh"

# The start screen, probed: the frame, where the picture box lies, the
# menu labels, the panel texts.
check_start_screen() {
    local s=$1 n name
    [ "$(pixel "$s" 0 0)" = 646464 ] || fail "no frame at the window's corner"
    [ "$(pixel "$s" $((SCREEN_W - 1)) $((SCREEN_H - 1)))" = 646464 ] || fail "no frame at the far corner"
    # The picture box starts one pixel inside the client area: the client's
    # first row and column show the window's own white background.
    [ "$(pixel "$s" 1 1)" = FFFFFF ] || fail "the client area's first pixel is not the window background"
    box Picture1
    [ "$BX,$BY" = "2,2" ] || fail "the picture box lies at $BX,$BY on the screen"
    # Its last rows show its own grey back colour below the picture, and
    # end where the window background begins.
    local bottom=$((BY + BH - 1)) right=$((BX + BW - 1))
    [ "$(pixel "$s" "$BX" "$bottom")" = B4B4B4 ] || fail "picture box's bottom-left corner is not its back colour"
    [ "$(pixel "$s" "$right" "$bottom")" = B4B4B4 ] || fail "picture box's bottom-right corner is not its back colour"
    [ "$(pixel "$s" $((BX - 1)) "$bottom")" = FFFFFF ] || fail "something lies left of the picture box"
    [ "$(pixel "$s" $((right + 1)) "$bottom")" = FFFFFF ] || fail "the picture box is wider than it should be"
    [ "$(pixel "$s" "$BX" $((bottom + 1)))" = FFFFFF ] || fail "the picture box is taller than it should be"

    for name in Label8 Label10 Label11 Label12 Label15 Label18 Label19; do
        box "$name"
        n=$(count_colour "$s" "$BX" "$BY" "$BW" "$BH" 00FF00)
        [ "$n" -gt 40 ] || fail "$name shows $n green pixels"
    done
    for name in Label14 Label16 Label17; do
        box "$name"
        n=$(count_colour "$s" "$BX" "$BY" "$BW" "$BH" FFFF00)
        [ "$n" -gt 40 ] || fail "$name shows $n yellow pixels"
    done
    box Label13
    n=$(count_colour "$s" "$BX" "$BY" "$BW" "$BH" FFFFFF)
    [ "$n" -gt 200 ] || fail "Label13 shows $n white pixels"
}

case "${1:?case}" in
start)
    start_desktop
    render_previews
    start_menu
    hold_guard
    # The first picture on screen is already the loaded one: the markers
    # hidden, the panel shown.
    expect_screen start "$OUT/expected/start.png"
    check_start_screen "$OUT/start.png"
    covers_screen || fail "the window lies at $(window_geometry "$MENU_WIN"), not over the whole screen"
    panel_hidden || fail "the panel is $(map_state "$PANEL_WIN") while the menu is up"
    click_on Label12
    expect_menu_ends "a click on EXIT"
    wait_until 2 panel_shown || fail "the panel is $(map_state "$PANEL_WIN") after EXIT"
    release_guard
    ;;
hover)
    # Each state as the headless back end renders it after the same moves.
    start_desktop
    render_previews
    start_menu
    hold_guard
    expect_screen start "$OUT/expected/start.png"
    for state in background:Picture1 address:Label8 index:Label10 other:Label11 exit:Label12 contact:Image1; do
        point "${state#*:}"
        xdotool mousemove "$PX" "$PY"
        expect_screen "${state%%:*}" "$OUT/expected/${state%%:*}.png"
    done
    # A button pressed on one entry and released on another clicks neither.
    point Label12
    xdotool mousemove "$PX" "$PY" mousedown 1
    point Label11
    xdotool mousemove "$PX" "$PY" mouseup 1
    sleep 0.5
    menu_running || fail "EXIT pressed and released elsewhere ended the menu"
    click_on Label12
    expect_menu_ends "a click on EXIT"
    wait_until 2 panel_shown || fail "the panel is not back after EXIT"
    release_guard
    ;;
bare)
    # No window manager and no panel: the window sizes itself to the
    # screen, and hiding and showing a taskbar that is not there is silent.
    start_display
    render_previews
    start_menu
    expect_screen start "$OUT/expected/start.png"
    covers_screen || fail "the window lies at $(window_geometry "$MENU_WIN"), not over the whole screen"
    click_on Label12
    expect_menu_ends "a click on EXIT"
    [ ! -s "$OUT/menu.log" ] || fail "the menu reported: $(cat "$OUT/menu.log")"
    ;;
*) fail "no case $1" ;;
esac
note "passed"
