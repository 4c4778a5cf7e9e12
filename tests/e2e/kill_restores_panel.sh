#!/usr/bin/env bash
# Ends the menu cannot see: SIGKILL, or a crash. The menu's panel guard
# brings the panel back once the menu has gone.
. "$(dirname "$0")/desktop.sh"
EXE=$1
ulimit -c 0  # the crash below leaves no core file

desktop_start
menu_start "$EXE"
[ "$(map_state "$PANEL")" = IsUnMapped ] || fail "the panel was not hidden"
kill -CONT "$GUARD_PID"  # this time the guard does its work
kill -KILL "$MENU_PID"
wait_until 10 menu_gone || fail "the menu survived SIGKILL"
wait_until 10 map_state_is "$PANEL" IsViewable || fail "the panel is $(map_state "$PANEL") after SIGKILL"
wait_until 10 guard_gone || fail "the panel guard did not end"
echo "ok: after SIGKILL the guard shows the panel"

menu_start "$EXE"
kill -CONT "$GUARD_PID"
kill -SEGV "$MENU_PID"
wait_until 10 menu_gone || fail "the menu survived SIGSEGV"
wait_until 10 map_state_is "$PANEL" IsViewable || fail "the panel is $(map_state "$PANEL") after a crash"
wait_until 10 guard_gone || fail "the panel guard did not end"
echo "ok: after a crash the guard shows the panel"
