#!/usr/bin/env bash
# An installer the menu started runs in a session of its own: Ctrl+C in the
# terminal that started the menu (SIGINT to its process group) or the
# terminal hanging up (SIGHUP) ends the menu, with the panel back, and leaves
# the setup running.
. "$(dirname "$0")/desktop.sh"
EXE=$1

desktop_start
disc="$E2E_TMP/disc"
mkdir "$disc"
cp "$EXE" "$disc/install-menu"
# The installer notes its process id and goes on running.
printf '#!/bin/sh\necho $$ >> "%s/installer.pids"\nexec sleep 120\n' "$disc" >"$disc/QUV.exe"
chmod +x "$disc/QUV.exe"
# Job control: the menu gets a process group of its own, as a command typed
# into a terminal does.
set -m

started=0
for sig in INT HUP; do
    menu_start "$disc/install-menu" /
    [ "$(ps -o pgid= -p "$MENU_PID" | tr -d ' ')" = "$MENU_PID" ] || fail "the menu does not lead its process group"
    xdotool mousemove 300 300 sleep 0.2 mousemove 105 313 sleep 0.2 click 1
    started=$((started + 1))
    wait_until 10 sh -c "[ \$(wc -l <'$disc/installer.pids' 2>/dev/null || echo 0) -ge $started ]" ||
        fail "INDEX SOFTWARE did not start the installer"
    installer=$(tail -n1 "$disc/installer.pids")
    E2E_PIDS+=("$installer")
    [ "$(ps -o sid= -p "$installer")" != "$(ps -o sid= -p "$MENU_PID")" ] ||
        fail "the installer runs in the menu's session"

    kill -s "$sig" -- "-$MENU_PID"
    expect_menu_ends_with_panel_back
    sleep 0.5
    kill -0 "$installer" 2>/dev/null || fail "SIG$sig to the menu's process group ended the installer too"
    echo "ok: SIG$sig to the menu's process group leaves the installer running"
    kill "$installer"
done
