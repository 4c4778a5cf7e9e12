#!/usr/bin/env bash
# Orca itself, the screen reader of GNOME and other Linux desktops, reads
# the menu: hear_the_menu.py works it with keys, the pointer and a reader's
# actions, and checks what Orca says at each step.
#
#   orca_reads_the_menu.sh INSTALL-MENU E2E-CONTROL-BOXES
#
# Everything runs in a session of the ring's own: a process namespace (Orca
# refuses to start beside another Orca of the same user), a session bus, a
# display with openbox and a panel (../e2e/desktop.sh), and a private home
# with Orca's settings and speech-dispatcher's, whose dummy output module
# speaks into libao's null driver: there is no sound card.
set -u
if [ -z "${READER_SESSION:-}" ]; then
    home=$(mktemp -d)
    trap 'rm -rf "$home"' EXIT
    namespace=()
    unshare --pid --fork --mount-proc true 2>/dev/null && namespace=(unshare --pid --fork --mount-proc)
    READER_SESSION=1 READER_HOME=$home "${namespace[@]}" dbus-run-session -- bash "$0" "$@"
    exit
fi
. "$(dirname "$0")/../e2e/desktop.sh"
EXE=$1

export HOME=$READER_HOME XDG_CONFIG_HOME=$READER_HOME/config XDG_DATA_HOME=$READER_HOME/data \
       XDG_CACHE_HOME=$READER_HOME/cache XDG_RUNTIME_DIR=$READER_HOME/run
mkdir -p "$XDG_CONFIG_HOME/speech-dispatcher" "$XDG_RUNTIME_DIR" "$HOME/orca"
chmod 700 "$XDG_RUNTIME_DIR"
printf 'DefaultModule dummy\nAudioOutputMethod "libao"\n' >"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf"
printf 'default_driver=null\n' >"$HOME/.libao"

control_boxes "$2"
desktop_start
disc_with "$EXE"  # no installers: ADDRESS SOFTWARE says that its installer is missing

orca --user-prefs "$HOME/orca" --debug-file "$E2E_TMP/orca-debug.txt" >"$E2E_TMP/orca.log" 2>&1 &
ORCA_PID=$!
E2E_PIDS+=($ORCA_PID)
# Orca starts speech-dispatcher once it is set up to speak.
wait_until 30 test -S "$XDG_RUNTIME_DIR/speech-dispatcher/speechd.sock" || fail "Orca did not start speech"
sleep 1

started=$(date +%H:%M:%S.%6N)
menu_start "$DISC/install-menu" /
/usr/bin/python3 "$(dirname "$0")/hear_the_menu.py" "$MENU_PID" "$ORCA_PID" "$E2E_TMP/orca-debug.txt" \
    "$E2E_TMP/boxes.txt" "$started" || fail "Orca did not say what a blind user needs to hear"
expect_menu_ends_with_panel_back
echo "ok: Orca reads the menu"
