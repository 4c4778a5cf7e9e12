#!/usr/bin/env bash
# Every way the menu can be closed from outside puts the panel back before
# the program ends: the signals a session or a terminal sends, the window
# manager's close request, the window being destroyed under it, and even
# SIGKILL.
#
#   close_test.sh sigterm|sigint|sighup|alt-f4|destroy|sigkill
source "$(dirname "$0")/desktop.sh"

start_desktop
start_menu
wait_until 5 panel_hidden || fail "the panel is $(map_state "$PANEL_WIN") while the menu is up"
# Where the menu can see its end, it shows the panel itself: its guard is
# held until then.
case "${1:?case}" in
destroy | sigkill) ;;
*) hold_guard ;;
esac

case "$1" in
sigterm) kill -TERM "$MENU_PID" ;;
sigint) kill -INT "$MENU_PID" ;;
sighup) kill -HUP "$MENU_PID" ;;
alt-f4)
    # openbox's own binding: a close request to the focused window.
    xdotool windowactivate --sync "$MENU_WIN" key --clearmodifiers alt+F4
    ;;
destroy)
    # Another client destroys the window under the menu. GDK may end the
    # program on the X errors that follow; the panel comes back either way.
    xdotool windowclose "$MENU_WIN"
    wait_until 5 menu_ended || fail "the menu is still running after its window was destroyed"
    ;;
sigkill)
    # An end the menu cannot see: its guard puts the panel back.
    kill -KILL "$MENU_PID"
    wait_until 5 menu_ended || fail "the menu survived SIGKILL"
    ;;
*) fail "no case $1" ;;
esac

case "$1" in
destroy | sigkill)
    wait_until 5 panel_shown || fail "the panel is $(map_state "$PANEL_WIN") after $1"
    ;;
*)
    expect_menu_ends "$1"
    wait_until 2 panel_shown || fail "the panel is $(map_state "$PANEL_WIN") after $1"
    release_guard
    ;;
esac
note "passed"
