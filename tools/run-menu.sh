#!/usr/bin/env bash
# Opens the menu. On the current display when there is one; otherwise on a
# virtual desktop (Xvfb, openbox, tint2) where it takes a screenshot, prints
# its path, and closes the menu again (which brings the panel back).
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh build desktop
cmake --preset linux >/dev/null
cmake --build --preset linux -- -j2
exe="$PWD/build/linux/install-menu"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    exec "$exe"
fi

shot="$PWD/build/linux/screenshot.png"
tmp=$(mktemp -d)
pids=()
cleanup() {
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null && wait "${pids[i]}" 2>/dev/null || true
    done
    rm -rf "$tmp"
}
trap cleanup EXIT

# Xvfb chooses a free display and writes its number to fd 3.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$tmp/display" 2>"$tmp/xvfb.log" &
pids+=($!)
for _ in $(seq 100); do [ -s "$tmp/display" ] && break; sleep 0.1; done
[ -s "$tmp/display" ] || { echo "run-menu: Xvfb did not start" >&2; cat "$tmp/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(cat "$tmp/display")"
unset WAYLAND_DISPLAY

openbox --sm-disable >/dev/null 2>&1 &
pids+=($!)
tint2 >/dev/null 2>&1 &
pids+=($!)
timeout 20 xdotool search --sync --onlyvisible --classname tint2 >/dev/null ||
    { echo "run-menu: the tint2 panel did not appear" >&2; exit 1; }
# The pointer rests in the screen's corner, off the menu's picture: the
# screenshot shows the start screen. (Resting on the picture, where Xvfb
# puts it, counts as a move there, which shows the instruction instead.)
xdotool mousemove 1023 767

"$exe" &
menu=$!
pids+=($menu)
timeout 20 xdotool search --sync --onlyvisible --pid "$menu" >/dev/null ||
    { echo "run-menu: the menu showed no window" >&2; exit 1; }
sleep 1  # let it paint
import -window root "$shot"
echo "$shot"

kill -TERM "$menu"
wait "$menu" || { echo "run-menu: the menu ended with status $?" >&2; exit 1; }
