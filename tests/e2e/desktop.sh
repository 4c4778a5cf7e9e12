# A virtual desktop for the end-to-end cases: an X server on a display of its
# own, openbox as window manager and a tint2 panel. Source this file; every
# process started here is stopped when the sourcing script exits.
#
# The screen is 1024x768 layout pixels at scale E2E_SCALE (1 unless set
# before sourcing): at scale 2 a 2048x1536 screen whose programs run with
# GDK_SCALE=2. E2E_WIDTH and E2E_HEIGHT set before sourcing give the screen
# another size in device pixels. Coordinates below are the screen's device
# pixels; `dev N` turns layout pixels into them at the scale E2E_SCALE says.
#
#   display_start              starts a bare X server (no window manager, no panel), sets DISPLAY,
#                              and rests the pointer in the screen's bottom-right corner
#   desktop_start              starts the desktop, sets DISPLAY and PANEL (the tint2 window)
#   menu_start EXE [DIR]       starts the menu (cwd DIR), sets MENU_PID and MENU_WINDOW;
#                              holds its panel guard (GUARD_PID) stopped, so that a panel
#                              shown again was shown by the menu itself
#   release_guard              lets the guard go on and expects it to end
#   map_state W                prints IsViewable, IsUnMapped or IsUnviewable
#   pixel X Y                  prints the screen's colour at (X, Y) as RRGGBB
#   disc_with EXE NAME...      a folder DISC holding the menu EXE as install-menu and a stub
#                              installer of each NAME that adds a line to DISC/NAME.ran when run
#   preview_screens TOOL [DIR] has install-menu-preview TOOL write the headless pictures
#                              of a menu on this screen into DIR ($E2E_TMP)
#   client_shot FILE           saves the screen inside the menu's frame (its client area),
#                              in the format FILE's ending names (.ppm is the quickest)
#   client_matches PNG         the client area is PNG pixel for pixel; else sets DIFFERING
#   control_boxes TOOL         has e2e_control_boxes TOOL say where the controls lie, and at
#                              which scale the menu draws on this screen (E2E_DRAWN)
#   point NAME                 sets PX and PY to the screen point where the preview tool's
#                              pointer stands over control NAME (needs control_boxes)
#   wait_until SECONDS CMD...  retries CMD until it succeeds or time runs out
#                              (CMD is run afresh each time: pass a command such as
#                              map_state_is or pixel_is, not an expanded "$(...)")
#   fail MESSAGE               reports a failed check and exits

set -u
E2E_SCALE=${E2E_SCALE:-1}
E2E_WIDTH=${E2E_WIDTH:-$((1024 * E2E_SCALE))} E2E_HEIGHT=${E2E_HEIGHT:-$((768 * E2E_SCALE))}
[ "$E2E_SCALE" = 1 ] || export GDK_SCALE=$E2E_SCALE
dev() { echo $(($1 * E2E_SCALE)); }
E2E_PIDS=()
E2E_TMP=$(mktemp -d)

e2e_cleanup() {
    local pid
    [ -n "${GUARD_PID:-}" ] && kill -KILL "$GUARD_PID" 2>/dev/null
    for ((i = ${#E2E_PIDS[@]} - 1; i >= 0; i--)); do
        pid=${E2E_PIDS[i]}
        kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    done
    [ -n "${E2E_KEEP:-}" ] && echo "kept $E2E_TMP" >&2 || rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    local log
    for log in "$E2E_TMP"/*.log; do
        [ -s "$log" ] && { echo "--- $(basename "$log"):" >&2; tail -n 20 "$log" >&2; }
    done
    if [ -n "${DISPLAY:-}" ] && import -window root "$E2E_TMP/fail.png" 2>/dev/null; then
        local keep="${TMPDIR:-/tmp}/e2e-fail-$(basename "$0" .sh).png"
        cp "$E2E_TMP/fail.png" "$keep" && echo "screen at failure: $keep" >&2
    fi
    exit 1
}

wait_until() {
    local seconds=$1
    shift
    local deadline=$((SECONDS + seconds))
    until "$@"; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.1
    done
}

display_start() {
    # Xvfb picks a free display itself and writes its number to the fd; it
    # keeps its state (where the pointer is) when its last client goes.
    Xvfb -displayfd 3 -screen 0 "${E2E_WIDTH}x${E2E_HEIGHT}x24" -nolisten tcp -noreset 3>"$E2E_TMP/display" 2>"$E2E_TMP/xvfb.log" &
    E2E_PIDS+=($!)
    wait_until 20 test -s "$E2E_TMP/display" || fail "Xvfb did not start: $(cat "$E2E_TMP/xvfb.log")"
    export DISPLAY=":$(cat "$E2E_TMP/display")"
    unset WAYLAND_DISPLAY
    # The pointer rests in the screen's corner, on the menu's frame, outside
    # its background: a menu opening under a pointer on its background
    # would show what a move there shows, not its start screen.
    xdotool mousemove $((E2E_WIDTH - 1)) $((E2E_HEIGHT - 1))
}

desktop_start() {
    display_start
    openbox --sm-disable >"$E2E_TMP/openbox.log" 2>&1 &
    E2E_PIDS+=($!)
    wait_until 20 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' ||
        fail "openbox did not start on $DISPLAY"

    tint2 >"$E2E_TMP/tint2.log" 2>&1 &
    E2E_PIDS+=($!)
    wait_until 20 find_window PANEL --classname tint2 || fail "tint2 did not show its panel"
    wait_until 10 map_state_is "$PANEL" IsViewable || fail "the panel is not mapped"
}

menu_start() {
    local exe=$1 dir=${2:-$PWD}
    (cd "$dir" && exec "$exe") >"$E2E_TMP/menu.log" 2>&1 &
    MENU_PID=$!
    E2E_PIDS+=($MENU_PID)
    wait_until 20 find_window MENU_WINDOW --pid "$MENU_PID" || fail "the menu showed no window"
    # Painted once the background is white just inside the frame.
    wait_until 10 pixel_is "$(dev 1)" "$(dev 1)" FFFFFF || fail "the menu window was not painted"
    # The menu's one child at this point is its panel guard, which would put
    # the panel back after any end of the menu: held, it cannot hide a menu
    # that fails to do so itself.
    GUARD_PID=$(pgrep -P "$MENU_PID" | head -n1)
    [ -n "$GUARD_PID" ] || fail "the menu has no panel guard"
    kill -STOP "$GUARD_PID"
}

guard_gone() { ! kill -0 "$GUARD_PID" 2>/dev/null || ps -o stat= -p "$GUARD_PID" | grep -q Z; }
release_guard() {
    kill -CONT "$GUARD_PID" 2>/dev/null
    wait_until 10 guard_gone || fail "the panel guard did not end after the menu"
}

# Sets variable VAR to the first visible window that xdotool finds with
# these options. (xdotool's own --sync can stop on a window that vanishes
# while it looks, so the caller retries.)
find_window() {
    local var=$1 found
    shift
    found=$(xdotool search --onlyvisible "$@" 2>>"$E2E_TMP/xdotool.log" | head -n1)
    [ -n "$found" ] || return 1
    printf -v "$var" %s "$found"
}

map_state() {
    xwininfo -id "$1" 2>/dev/null | sed -n 's/^ *Map State: *//p'
}

pixel() {
    import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>>"$E2E_TMP/import.log" |
        sed -n 's/.*#\([0-9A-Fa-f]\{6\}\).*/\1/p' | head -n1 | tr a-f A-F
}

menu_running() { kill -0 "$MENU_PID" 2>/dev/null && ! ps -o stat= -p "$MENU_PID" | grep -q Z; }
menu_gone() { ! menu_running; }

# The menu ends within a few seconds and leaves the panel mapped.
expect_menu_ends_with_panel_back() {
    wait_until 10 menu_gone || fail "the menu did not end"
    wait "$MENU_PID" 2>/dev/null
    local rc=$?
    [ "$rc" -eq 0 ] || fail "the menu ended with status $rc: $(cat "$E2E_TMP/menu.log")"
    wait_until 10 map_state_is "$PANEL" IsViewable ||
        fail "the panel was not mapped again: $PANEL is $(map_state "$PANEL"); tint2 windows:" \
            $(for w in $(xdotool search --classname tint2 2>/dev/null); do echo "$w=$(map_state "$w")"; done)
    release_guard
}

preview_screens() {
    local dir=${2:-$E2E_TMP}
    mkdir -p "$dir"
    "$1" "$dir" "${E2E_WIDTH}x${E2E_HEIGHT}" "$E2E_SCALE" >/dev/null || fail "the preview tool failed"
}

client_shot() {
    local frame
    frame=$(dev 1)
    import -window root -crop "$((E2E_WIDTH - 2 * frame))x$((E2E_HEIGHT - 2 * frame))+$frame+$frame" +repage "$1"
}

client_matches() {
    client_shot "$E2E_TMP/client.ppm"
    DIFFERING=$(compare -metric AE "$E2E_TMP/client.ppm" "$1" null: 2>&1)
    [ "$DIFFERING" = 0 ]
}

control_boxes() {
    "$1" "${E2E_WIDTH}x${E2E_HEIGHT}" "$E2E_SCALE" >"$E2E_TMP/boxes.all" || fail "the control boxes tool failed"
    grep -v '^scale ' "$E2E_TMP/boxes.all" >"$E2E_TMP/boxes.txt"
    # The scale the menu draws at on this screen: less than E2E_SCALE where
    # its layout would not fit the screen at it.
    E2E_DRAWN=$(awk '$1 == "scale" {print $2}' "$E2E_TMP/boxes.all") E2E_DRAWN_AT=$E2E_SCALE
}

# The preview tool's point for a control: its centre, and for the picture box
# a point near its bottom-left corner that no other control covers; one frame
# pixel further on screen.
point() {
    local name l t w h
    read -r name l t w h < <(grep "^$1 " "$E2E_TMP/boxes.txt")
    [ -n "${name:-}" ] || fail "no control $1"
    if [ "$1" = Picture1 ]; then
        PX=$((l + 10)) PY=$((t + h - 10))
    else
        PX=$((l + w / 2)) PY=$((t + h / 2))
    fi
    # (A case that changes E2E_SCALE after control_boxes expects it drawn at that scale.)
    [ "${E2E_DRAWN_AT:-}" = "$E2E_SCALE" ] || E2E_DRAWN=$E2E_SCALE
    if awk -v d="$E2E_DRAWN" -v s="$E2E_SCALE" 'BEGIN { exit !(d == s) }'; then
        PX=$(dev $((PX + 1))) PY=$(dev $((PY + 1)))
    else  # the middle of that layout pixel at the fitted scale, inside the frame
        read -r PX PY < <(awk -v x="$PX" -v y="$PY" -v d="$E2E_DRAWN" -v s="$E2E_SCALE" \
                              'BEGIN { print s + int((x + 0.5) * d), s + int((y + 0.5) * d) }')
    fi
}

map_state_is() { [ "$(map_state "$1")" = "$2" ]; }

disc_with() {
    local exe=$1 name
    shift
    DISC="$E2E_TMP/disc"
    mkdir -p "$DISC"
    cp "$exe" "$DISC/install-menu"
    for name in "$@"; do
        printf '#!/bin/sh\necho started >> "%s/%s.ran"\n' "$DISC" "$name" >"$DISC/$name"
        chmod +x "$DISC/$name"
    done
}

pixel_is() { [ "$(pixel "$1" "$2")" = "$3" ]; }

# At least MIN pixels of the W x H area at (X, Y) have colour RRGGBB.
has_colour() { [ "$(count_colour "$1" "$2" "$3" "$4" "$5")" -ge "$6" ]; }

# How many pixels of the screen's W x H area at (X, Y) have colour RRGGBB.
count_colour() {
    import -window root -crop "$3x$4+$1+$2" -depth 8 txt:- 2>>"$E2E_TMP/import.log" | grep -ci "#$5"
}
