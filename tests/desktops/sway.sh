#!/usr/bin/env bash
# The menu on Wayland: sway's headless back end with swaybar at the top.
# The menu covers the whole output above the bar while it is up (sway's tree
# and grim's screenshot), a second start ends at once, and the bar is back
# after a close request, SIGTERM and SIGKILL. DISPLAY names an X display
# too, as on a desktop with Xwayland: a trap that counts connections, and
# neither the menu nor its guard may make one.
#
# sway refuses to run as root: as root, the compositor, the menu and the
# tools run as nobody, in a runtime directory of this case's own.
. "$(dirname "$0")/../e2e/desktop.sh"
MENU=$1
unset DISPLAY WAYLAND_DISPLAY

RUN="$E2E_TMP/run"
mkdir -m 700 "$RUN"
chmod 755 "$E2E_TMP"
# The menu from a folder the user can read.
cp "$MENU" "$RUN/install-menu"
chmod 755 "$RUN/install-menu"
# A magenta bar, easy to tell from the menu's picture.
cat >"$RUN/config" <<'EOF'
output HEADLESS-1 mode 1024x768
default_border none
bar {
    position top
    colors {
        background #ff00ff
    }
}
EOF
AS=()
if [ "$(id -u)" = 0 ]; then
    chown -R nobody:nogroup "$RUN"
    AS=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi

/usr/bin/python3 "$(dirname "$0")/x_trap.py" "$E2E_TMP/x-connections" >"$E2E_TMP/x-trap" 2>"$E2E_TMP/x-trap.log" &
E2E_PIDS+=($!)
wait_until 10 test -s "$E2E_TMP/x-trap" || fail "the X trap did not start"
TRAP=":$(cat "$E2E_TMP/x-trap")"

# The user's session environment: Wayland, and DISPLAY as Xwayland would set it.
user() {
    env -i PATH=/usr/bin:/bin HOME="$RUN" XDG_RUNTIME_DIR="$RUN" WAYLAND_DISPLAY="$WAYLAND_NAME" \
        SWAYSOCK="$SWAYSOCK" DISPLAY="$TRAP" "${AS[@]}" "$@"
}

env -i PATH=/usr/bin:/bin HOME="$RUN" XDG_RUNTIME_DIR="$RUN" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 \
    WLR_RENDERER=pixman "${AS[@]}" sway -c "$RUN/config" >"$E2E_TMP/sway.log" 2>&1 &
E2E_PIDS+=($!)
sway_up() { ls "$RUN" | grep -q '^sway-ipc'; }
wait_until 20 sway_up || fail "sway did not start: $(tail -n 5 "$E2E_TMP/sway.log")"
WAYLAND_NAME=$(cd "$RUN" && ls | grep -E '^wayland-[0-9]+$' | head -n1)
SWAYSOCK=$(ls "$RUN"/sway-ipc.*.sock)

# The menu's window in sway's tree: WxH+X+Y and its fullscreen mode.
menu_node() {
    user swaymsg -t get_tree | /usr/bin/python3 -c '
import json, sys
def walk(node):
    if node.get("app_id") == "install-menu":
        r = node["rect"]
        print("%dx%d+%d+%d fullscreen=%d" % (r["width"], r["height"], r["x"], r["y"], node.get("fullscreen_mode", 0)))
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        walk(child)
walk(json.load(sys.stdin))'
}
# How many of the top strip's pixels show the bar.
bar_pixels() {
    rm -f "$RUN/shot.png"
    user grim "$RUN/shot.png" || return 1
    convert "$RUN/shot.png" -crop 1024x16+0+0 -depth 8 txt:- | grep -ci '#FF00FF'
}
menu_shown() { [ -n "$(menu_node)" ]; }
menu_covers_output() { [ "$(menu_node)" = "1024x768+0+0 fullscreen=1" ]; }
bar_shown() { [ "$(bar_pixels)" -gt 10000 ]; }
bar_covered() { [ "$(bar_pixels)" = 0 ]; }
wayland_menu_start() {
    # Started as a simple command, so that its process is the menu's.
    env -i PATH=/usr/bin:/bin HOME="$RUN" XDG_RUNTIME_DIR="$RUN" WAYLAND_DISPLAY="$WAYLAND_NAME" DISPLAY="$TRAP" \
        "${AS[@]}" "$RUN/install-menu" >"$E2E_TMP/menu.log" 2>&1 &
    MENU_PID=$!
    E2E_PIDS+=($MENU_PID)
    wait_until 20 menu_shown || fail "the menu showed no window: $(cat "$E2E_TMP/menu.log")"
}
expect_bar_back() {
    wait_until 10 menu_gone || fail "$1: the menu did not end"
    wait_until 10 bar_shown || fail "$1: the bar is not back: $(bar_pixels) pixels, menu: $(menu_node), processes: $(pgrep -a install-menu)"
    [ -z "$(menu_node)" ] || fail "$1: the menu's window is still there"
}
no_x_connection() {
    [ ! -s "$E2E_TMP/x-connections" ] || fail "$1: an X connection was made on a Wayland session"
}

wait_until 20 bar_shown || fail "swaybar did not show"

wayland_menu_start
wait_until 10 menu_covers_output ||
    fail "the menu is $(menu_node), not fullscreen over the 1024x768 output"
wait_until 10 bar_covered || fail "the bar shows over the menu: $(bar_pixels) pixels"
echo "ok: the menu covers the whole output and the bar"

user "$RUN/install-menu" >"$E2E_TMP/second.log" 2>&1 || fail "the second start ended with status $?"
menu_running || fail "the second start ended the first menu"
[ "$(menu_node | wc -l)" = 1 ] || fail "two menu windows: $(menu_node)"
echo "ok: a second start ends with status 0 and leaves the first menu"

user swaymsg '[app_id="install-menu"]' kill >/dev/null
expect_bar_back "after a close request"
wayland_menu_start
kill -TERM "$MENU_PID"
expect_bar_back "after SIGTERM"
wayland_menu_start
kill -KILL "$MENU_PID"
expect_bar_back "after SIGKILL"
sleep 1  # the guard's moment to do wrong
no_x_connection "after SIGKILL"
echo "ok: the bar is back after a close request, SIGTERM and SIGKILL, and no X connection was made"
