#!/usr/bin/env bash
# The menu runs from read-only media and writes nothing anywhere: started from
# a read-only folder with a fresh home, hovered, clicked (a message box for a
# missing installer) and ended, it opens no file for writing and creates,
# renames or removes none, as strace sees it.
. "$(dirname "$0")/desktop.sh"
EXE=$1

desktop_start
disc="$E2E_TMP/read-only disc"
mkdir "$disc" "$E2E_TMP/home"
cp "$EXE" "$disc/install-menu"
chmod 555 "$disc/install-menu" "$disc"
trace="$E2E_TMP/trace"
(cd "$disc" && HOME="$E2E_TMP/home" exec strace -f -qq -o "$trace" \
    -e trace=open,openat,openat2,creat,mkdir,mkdirat,rename,renameat,renameat2,unlink,unlinkat,truncate \
    "$disc/install-menu") >"$E2E_TMP/menu.log" 2>&1 &
STRACE_PID=$!
E2E_PIDS+=($STRACE_PID)
wait_until 20 sh -c "pgrep -f -x '$disc/install-menu' >/dev/null" || fail "the menu did not start"
MENU_PID=$(pgrep -f -x "$disc/install-menu" | head -n1)
wait_until 20 find_window MENU_WINDOW --pid "$MENU_PID" || fail "the menu showed no window"
wait_until 10 pixel_is 1 1 FFFFFF || fail "the menu window was not painted"

# Hover the entries and the background, then click INDEX SOFTWARE: its
# installer is missing, so a message box opens; close it.
for at in "100 255" "100 320" "100 375" "10 470" "100 320"; do
    xdotool mousemove $at
    sleep 0.2
done
xdotool click 1
wait_until 10 find_window BOX --name "^Message Window$" || fail "no message box for the missing installer"
xdotool key Return
wait_until 10 sh -c "! xdotool search --onlyvisible --name '^Message Window$' >/dev/null 2>&1" ||
    fail "the message box did not close"

kill -TERM "$MENU_PID"
wait_until 10 sh -c "! kill -0 $STRACE_PID 2>/dev/null" || fail "the menu did not end"
wait_until 10 map_state_is "$PANEL" IsViewable || fail "the panel was not mapped again"

[ -s "$trace" ] || fail "strace recorded nothing"
writes=$(grep -E 'O_WRONLY|O_RDWR|O_CREAT|O_TRUNC|creat\(|mkdir|rename|unlink|truncate' "$trace" |
    grep -vE '= -1 E|"/dev/|"/proc/|"/sys/' || true)
[ -z "$writes" ] || fail "the menu wrote files:
$writes"
[ -z "$(ls -A "$E2E_TMP/home")" ] || fail "the menu left files in its home: $(ls -A "$E2E_TMP/home")"
echo "ok: the menu runs from read-only media and writes nothing ($(wc -l <"$trace") calls traced)"
