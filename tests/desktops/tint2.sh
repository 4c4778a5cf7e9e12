#!/usr/bin/env bash
# The menu on openbox with tint2: the panel covered while it is up, back as
# before (desktops, states, place) after EXIT, SIGTERM and SIGKILL, a second
# start that ends at once, and the panel hidden again when tint2 reloads its
# configuration (SIGUSR1, what tint2conf does), which makes its windows anew.
. "$(dirname "$0")/../e2e/desktop.sh"
. "$(dirname "$0")/x11_desktop.sh"
MENU=$1

x11_desktop openbox tint2
promise_cases kill -USR1 "$PANEL_PID"
