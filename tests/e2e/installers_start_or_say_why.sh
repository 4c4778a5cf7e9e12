#!/usr/bin/env bash
# The menu's install entries: with the installer missing, a message box
# titled "Message Window" over the menu; with it beside the menu (whatever
# its letter case), the installer starts in the menu's folder, once for
# every click (a double-click is one click), and the menu stays up.
. "$(dirname "$0")/desktop.sh"
EXE=$1

desktop_start
disc="$E2E_TMP/my disc"
mkdir "$disc"
cp "$EXE" "$disc/install-menu"
menu_start "$disc/install-menu" /

# INDEX SOFTWARE (Label10) with no QUV.exe on the disc. The pointer crosses
# the background first, as a hand on the mouse would.
xdotool mousemove 300 300 sleep 0.2 mousemove 105 313 sleep 0.2 click 1
wait_until 10 find_window BOX --name "^Message Window$" || fail "no message box for the missing installer"
xdotool windowactivate --sync "$BOX" 2>/dev/null
xdotool key Return
wait_until 10 sh -c "! xdotool search --onlyvisible --name '^Message Window$' >/dev/null 2>&1" ||
    fail "the message box did not close"
menu_running || fail "the menu ended after the message"

# Stub installers that note where they ran, in other letter cases.
for name in quv.EXE MURDELO.exe; do
    printf '#!/bin/sh\npwd >> "%s/%s.ran"\n' "$disc" "$name" >"$disc/$name"
    chmod +x "$disc/$name"
done
lines() { [ -f "$1" ] && [ "$(wc -l <"$1")" -eq "$2" ]; }
xdotool mousemove 300 300 sleep 0.2 mousemove 104 255 sleep 0.2 click 1
wait_until 10 lines "$disc/MURDELO.exe.ran" 1 || fail "ADDRESS SOFTWARE did not start MURDELO.exe"

# INDEX SOFTWARE (Label10): a double-click starts the installer once, a
# triple click twice (its third press is a new click), and two clicks a
# second apart twice. The gestures lie more than GTK's double-click time
# (400 ms) apart, and each count is checked again after a pause, so that a
# start too many shows.
index_starts() {
    local gesture=$1 expected=$2
    xdotool mousemove 300 300 sleep 0.2 mousemove 105 313 sleep 0.2
    xdotool $gesture  # split into xdotool's own words
    wait_until 10 lines "$disc/quv.EXE.ran" "$expected" && sleep 1 && lines "$disc/quv.EXE.ran" "$expected" ||
        fail "after the $3 INDEX SOFTWARE started quv.EXE $(cat "$disc/quv.EXE.ran" 2>/dev/null | wc -l) times, not $expected"
}
index_starts "click --repeat 2 --delay 120 1" 1 "double-click"
index_starts "click --repeat 3 --delay 120 1" 3 "triple click"
index_starts "click 1 sleep 1 click 1" 5 "two clicks a second apart"
[ "$(head -n1 "$disc/quv.EXE.ran")" = "$disc" ] || fail "the installer did not run in the menu's folder"
menu_running || fail "the menu ended after starting the installers"
zombies=$(ps -o stat= --ppid "$MENU_PID" | grep -c Z)
[ "$zombies" -eq 0 ] || fail "$zombies installer processes were left unreaped"

kill -TERM "$MENU_PID"
expect_menu_ends_with_panel_back
echo "ok: the installers start, or the menu says why"
