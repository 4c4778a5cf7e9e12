#!/usr/bin/env bash
# The menu as it ships: one executable copied alone into a folder, starting
# the installers that lie beside it by clicks on its real entries.
#
#   installer_test.sh lone-copy|found|missing|not-a-program
source "$(dirname "$0")/desktop.sh"

# The folder the "disc" is: spaces and letters beyond ASCII in its path.
DISC="$OUT/Mein Ördner/My Disc"
mkdir -p "$DISC"
cp "$MENU" "$DISC/"
APP="$DISC/$(basename "$MENU")"

# stub NAME MARKER: an installer that records where it ran, one line a start.
stub() {
    printf '#!/bin/sh\necho "$PWD" >> "%s"\n' "$OUT/$2" >"$DISC/$1"
    chmod 755 "$DISC/$1"
}
starts() { if [ -f "$OUT/$1" ]; then wc -l <"$OUT/$1"; else echo 0; fi; }
starts_are() { [ "$(starts "$1")" -eq "$2" ]; }

message_box() { xdotool search --onlyvisible --name '^Message Window$' 2>/dev/null | head -n 1; }
message_shown() { [ -n "$(message_box)" ]; }
message_gone() { [ -z "$(message_box)" ]; }

# expect_message_box NAME: a click brought up the message box, in front of
# a menu that takes no clicks meanwhile; OK closes it and the menu answers
# again.
expect_message_box() {
    wait_until 5 message_shown || fail "$1: no message box"
    local box
    box=$(message_box)
    note "message box $box"
    sleep 0.3
    shot "$1" >/dev/null
    click_on Label12  # EXIT, beside the box: the menu must not take it
    sleep 0.5
    menu_running || fail "$1: the menu took a click while its message box was open"
    xdotool windowactivate --sync "$box" key Return
    wait_until 5 message_gone || fail "$1: the message box did not close"
}

# The menu still answers: the pointer over an entry changes the screen.
expect_menu_answers() {
    point Picture1
    xdotool mousemove "$PX" "$PY"
    expect_screen "$1-background" "$OUT/expected/background.png"
}

case "${1:?case}" in
lone-copy)
    # Nothing but the executable in an empty folder, started from there.
    mkdir -p "$OUT/empty"
    cp "$MENU" "$OUT/empty/"
    [ "$(ls -A "$OUT/empty")" = "$(basename "$MENU")" ] || fail "the folder holds more than the menu"
    start_desktop
    render_previews
    start_menu "$OUT/empty/$(basename "$MENU")" "$OUT/empty"
    expect_screen start "$OUT/expected/start.png"
    click_on Label12
    expect_menu_ends "a click on EXIT"
    ;;
found)
    # Found whatever the letter case; exactly that file runs, in its own
    # folder, however often it is clicked; the decoy where an unquoted command
    # line would break off never runs.
    stub quv.exe quv-started
    stub MURDELO.EXE murdelo-started
    printf '#!/bin/sh\ntouch "%s"\n' "$OUT/decoy-started" >"$OUT/Mein Ördner/My"
    chmod 755 "$OUT/Mein Ördner/My"
    start_desktop
    render_previews
    start_menu "$APP" "$OUT"
    click_on Label10
    wait_until 5 test -s "$OUT/quv-started" || fail "INDEX SOFTWARE started nothing"
    [ "$(cat "$OUT/quv-started")" = "$DISC" ] || fail "the installer ran in $(cat "$OUT/quv-started")"
    click_on Label8
    wait_until 5 test -s "$OUT/murdelo-started" || fail "ADDRESS SOFTWARE started nothing"
    point Label10
    for ((i = 0; i < 20; i++)); do xdotool mousemove "$PX" "$PY" click 1; done
    wait_until 10 starts_are quv-started 21 || fail "21 clicks gave $(starts quv-started) starts"
    sleep 0.5
    zombies=$(ps -o stat= --ppid "$MENU_PID" | grep -c '^Z' || true)
    [ "$zombies" -eq 0 ] || fail "$zombies installers were left as zombies"
    [ ! -e "$OUT/decoy-started" ] || fail "the decoy ran"
    menu_running || fail "the menu ended after starting installers"
    expect_menu_answers found
    click_on Label12
    expect_menu_ends "a click on EXIT"
    ;;
missing)
    # A folder named like the installer is no installer.
    mkdir -p "$DISC/QUV.EXE"
    start_desktop
    render_previews
    start_menu "$APP" "$OUT"
    click_on Label10
    expect_message_box missing
    expect_menu_answers missing
    click_on Label12
    expect_menu_ends "a click on EXIT"
    ;;
not-a-program)
    # There, but not executable: the box says why, the menu stays.
    printf 'not a program\n' >"$DISC/QUV.EXE"
    start_desktop
    render_previews
    start_menu "$APP" "$OUT"
    click_on Label10
    expect_message_box not-a-program
    expect_menu_answers not-a-program
    click_on Label12
    expect_menu_ends "a click on EXIT"
    ;;
*) fail "no case $1" ;;
esac
note "passed"
