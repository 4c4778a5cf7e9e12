#!/usr/bin/env bash
# The menu on openbox with lxpanel: the panel covered while it is up, back as
# before (desktops, states, place) after EXIT, SIGTERM and SIGKILL, a second
# start that ends at once, and the panel hidden again when lxpanel ends and starts again
# while the menu is up (a panel started after the menu).
. "$(dirname "$0")/../e2e/desktop.sh"
. "$(dirname "$0")/x11_desktop.sh"
MENU=$1

x11_desktop openbox lxpanel
promise_cases panel_restart
