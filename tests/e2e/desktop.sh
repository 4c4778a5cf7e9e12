# Shared steps of the Linux end-to-end tests, sourced by each test script.
#
# Every test case gets a desktop of its own: an Xvfb display on a number of
# its own (so cases and other programs never share one), openbox
# as the window manager and a tint2 panel, all stopped again when the case
# ends, whatever happens. The menu runs on it as the real program; the
# scripts drive it with xdotool and judge it by screenshots, window states
# and process states.
#
# The caller's environment names the programs (set by CTest):
#   MENU     the install-menu executable
#   PREVIEW  the install-menu-preview tool (renders the expected screens)
#   BOXES    the e2e_control_boxes tool (where each control lies)
#   OUT      a directory for this case's screenshots and logs
set -euo pipefail

: "${MENU:?install-menu executable}" "${PREVIEW:?install-menu-preview}" "${BOXES:?e2e_control_boxes}"
: "${OUT:?artifact directory}"

SCREEN_W=1024
SCREEN_H=768
BORDER=1  # the window's frame: the client area starts this far in

E2E_PIDS=()    # everything this case started, in start order
MENU_PID=""
MENU_WIN=""
PANEL_WIN=""

rm -rf "$OUT"
mkdir -p "$OUT/home/.config"
export HOME="$OUT/home" XDG_CONFIG_HOME="$OUT/home/.config"
export GDK_BACKEND=x11 NO_AT_BRIDGE=1
unset WAYLAND_DISPLAY

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
note() { echo "-- $*"; }

# Stops what this case started, newest first; whatever does not end on
# SIGTERM within two seconds is killed.
cleanup() {
    local i pid n
    for ((i = ${#E2E_PIDS[@]} - 1; i >= 0; i--)); do
        pid=${E2E_PIDS[i]}
        kill "$pid" 2>/dev/null || continue
        for ((n = 0; n < 20; n++)); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -9 "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
}
trap cleanup EXIT

# wait_until SECONDS COMMAND...: true once COMMAND succeeds, polling.
wait_until() {
    local tenths=$(($1 * 10)) n
    shift
    for ((n = 0; n < tenths; n++)); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

# The virtual display alone, without window manager or panel. Its number is
# drawn at random from a range that fixed-number users (:0, :1, :99) leave
# alone, and drawn again when it turns out to be taken.
start_display() {
    local tries n pid
    for ((tries = 0; tries < 20; tries++)); do
        n=$((200 + RANDOM % 700))
        [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 "${SCREEN_W}x${SCREEN_H}x24" -nolisten tcp -noreset >"$OUT/xvfb.log" 2>&1 &
        pid=$!
        E2E_PIDS+=("$pid")
        export DISPLAY=":$n"
        # (-noreset: a server that resets whenever its last client leaves
        # refuses the next one for a moment.) A server that answers must be
        # ours: one that found the number taken has ended by then.
        if wait_until 10 xdpyinfo >/dev/null 2>&1 && sleep 0.3 && kill -0 "$pid" 2>/dev/null; then
            # The pointer rests in the corner, over the window's own
            # background, which answers no mouse event: the menu starts as
            # it would untouched.
            xdotool mousemove $((SCREEN_W - 1)) $((SCREEN_H - 1))
            note "display $DISPLAY"
            return 0
        fi
        kill "$pid" 2>/dev/null || true  # lost the race for that number
    done
    fail "no virtual display would start (see $OUT/xvfb.log)"
}

wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

# The desktop's dock windows (the panel), mapped or not.
find_panel() {
    local w
    for w in $(xdotool search --classname '^tint2$' 2>/dev/null); do
        if xprop -id "$w" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q _NET_WM_WINDOW_TYPE_DOCK; then
            PANEL_WIN=$w
            return 0
        fi
    done
    return 1
}

map_state() { xwininfo -id "$1" 2>/dev/null | sed -n 's/^ *Map State: //p'; }
panel_shown() { [ "$(map_state "$PANEL_WIN")" = IsViewable ]; }
panel_hidden() { [ "$(map_state "$PANEL_WIN")" = IsUnMapped ]; }

# A display with openbox and a tint2 panel along the bottom.
start_desktop() {
    start_display
    openbox >"$OUT/openbox.log" 2>&1 &
    E2E_PIDS+=($!)
    wait_until 10 wm_running || fail "openbox did not start"
    tint2 >"$OUT/tint2.log" 2>&1 &
    E2E_PIDS+=($!)
    wait_until 10 find_panel || fail "tint2's panel did not appear"
    wait_until 10 panel_shown || fail "tint2's panel is not mapped"
    note "panel window $PANEL_WIN"
}

menu_window() {
    MENU_WIN=$(xdotool search --onlyvisible --pid "$MENU_PID" 2>/dev/null | head -n 1)
    [ -n "$MENU_WIN" ]
}

# start_menu [EXECUTABLE [DIRECTORY]]: starts the menu (from DIRECTORY as its
# current directory) and waits for its window.
start_menu() {
    local exe=${1:-$MENU} dir=${2:-$OUT}
    (cd "$dir" && exec "$exe") >"$OUT/menu.log" 2>&1 &
    MENU_PID=$!
    E2E_PIDS+=("$MENU_PID")
    wait_until 10 menu_window || fail "the menu's window did not appear (see $OUT/menu.log)"
    note "menu pid $MENU_PID, window $MENU_WIN"
}

# The menu's panel guard (its one child process) puts the panel back after
# the menu has ended, however it ended. hold_guard stops it, so that a panel
# shown afterwards was shown by the menu itself; release_guard lets it go on
# and expects it to end.
GUARD_PID=""
hold_guard() {
    GUARD_PID=$(pgrep -P "$MENU_PID" | head -n 1)
    [ -n "$GUARD_PID" ] || fail "the menu has no panel guard"
    E2E_PIDS+=("$GUARD_PID")
    kill -STOP "$GUARD_PID"
}
guard_ended() { ! kill -0 "$GUARD_PID" 2>/dev/null || grep -q '^[0-9]* ([^)]*) Z' "/proc/$GUARD_PID/stat" 2>/dev/null; }
release_guard() {
    kill -CONT "$GUARD_PID" 2>/dev/null || true
    wait_until 5 guard_ended || fail "the panel guard is still running after the menu ended"
}

menu_running() { kill -0 "$MENU_PID" 2>/dev/null; }
menu_ended() { ! menu_running; }

# The menu must end by itself, in order (exit status 0), within five seconds.
expect_menu_ends() {
    wait_until 5 menu_ended || fail "the menu is still running after $1"
    local status=0
    wait "$MENU_PID" || status=$?
    [ "$status" -eq 0 ] || fail "the menu ended with status $status after $1 (see $OUT/menu.log)"
}

# Geometry of the menu's window as "X Y WIDTH HEIGHT".
window_geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
        /^ *Width:/ {w=$NF} /^ *Height:/ {h=$NF} END {print x, y, w, h}'
}
covers_screen() { [ "$(window_geometry "$MENU_WIN")" = "0 0 $SCREEN_W $SCREEN_H" ]; }

# shot NAME: a screenshot of the whole display; prints its path.
shot() {
    local file="$OUT/$1.png"
    import -window root "$file"
    echo "$file"
}

# pixel FILE X Y: the colour at a point, as RRGGBB.
pixel() { convert "$1" -depth 8 -format "%[hex:p{$2,$3}]" info:; }

# count_colour FILE X Y WIDTH HEIGHT RRGGBB: how many pixels of the box have
# that colour, give or take the edges of antialiased text.
count_colour() {
    convert "$1" -crop "$5x$4+$2+$3" +repage -depth 8 -fuzz 12% -fill '#FF00FE' -opaque "#$6" \
        -format %c histogram:info:- | awk 'toupper($3) == "#FF00FE" {n += $1} END {print n + 0}'
}

# Where the controls lie on the screen, from the form itself.
BOXES_FILE="$OUT/boxes.txt"
"$BOXES" >"$BOXES_FILE"

# box NAME: sets BX BY BW BH to the control's box in screen pixels.
box() {
    read -r BX BY BW BH < <(awk -v n="$1" '$1 == n {print $2, $3, $4, $5}' "$BOXES_FILE")
    [ -n "${BX:-}" ] || fail "no control named $1"
    BX=$((BX + BORDER))
    BY=$((BY + BORDER))
}

# point NAME: sets PX PY to the point the preview tool moves to for that
# control: the centre of its box, and for the picture box a point near its
# bottom-left corner that no other control covers.
point() {
    box "$1"
    if [ "$1" = Picture1 ]; then
        PX=$((BX + 10)) PY=$((BY + BH - 10))
    else
        PX=$((BX + BW / 2)) PY=$((BY + BH / 2))
    fi
}

# The screens the headless back end renders for the same states.
render_previews() {
    "$PREVIEW" "$OUT/expected" "${SCREEN_W}x${SCREEN_H}" >/dev/null
}
mkdir -p "$OUT/expected"

# client_differs SHOT EXPECTED: the number of pixels in which the client
# area of the screenshot differs from the expected rendering.
client_differs() {
    convert "$1" -crop "$((SCREEN_W - 2 * BORDER))x$((SCREEN_H - 2 * BORDER))+$BORDER+$BORDER" +repage \
        "$OUT/client.png"
    compare -metric AE "$OUT/client.png" "$2" "$OUT/difference.png" 2>&1 >/dev/null || true
}

# expect_screen NAME EXPECTED: waits until the client area shows exactly the
# expected rendering; the last screenshot is kept as NAME.png.
expect_screen() {
    local n differing=""
    for ((n = 0; n < 30; n++)); do
        shot "$1" >/dev/null
        differing=$(client_differs "$OUT/$1.png" "$2")
        [ "$differing" = 0 ] && return 0
        sleep 0.2
    done
    fail "$1: the screen differs from $2 in $differing pixels (see $OUT/$1.png and $OUT/difference.png)"
}

# click_on NAME: a left click on the control's centre.
click_on() {
    point "$1"
    xdotool mousemove "$PX" "$PY" click 1
}
