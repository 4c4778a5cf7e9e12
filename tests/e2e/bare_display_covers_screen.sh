#!/usr/bin/env bash
# On an X server with no window manager, nothing maximizes the window: the
# menu sizes it to the screen itself. With no panel to hide or show, EXIT
# ends it in order and nothing is reported.
. "$(dirname "$0")/desktop.sh"
EXE=$1
PREVIEW=$2

display_start
menu_start "$EXE"
geometry=$(xwininfo -id "$MENU_WINDOW" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /Width:/ {w=$NF} /Height:/ {h=$NF} END {print w "x" h "+" x "+" y}')
[ "$geometry" = "1024x768+0+0" ] || fail "the window is $geometry, not the whole 1024x768 screen"

"$PREVIEW" "$E2E_TMP" 1024x768 >/dev/null || fail "the preview tool failed"
import -window root "$E2E_TMP/screen.png"
convert "$E2E_TMP/screen.png" -crop 1022x766+1+1 +repage "$E2E_TMP/client.png"
differing=$(compare -metric AE "$E2E_TMP/client.png" "$E2E_TMP/start.png" "$E2E_TMP/diff.png" 2>&1)
[ "$differing" = 0 ] || fail "$differing pixels of the window differ from the headless start screen"

xdotool mousemove 300 300 sleep 0.2 mousemove 106 428 sleep 0.2 click 1
wait_until 10 menu_gone || fail "EXIT did not end the menu"
wait "$MENU_PID"
rc=$?
[ "$rc" -eq 0 ] || fail "the menu ended with status $rc"
release_guard
[ ! -s "$E2E_TMP/menu.log" ] || fail "the menu reported: $(cat "$E2E_TMP/menu.log")"
echo "ok: without a window manager the window covers the screen and EXIT ends quietly"
