#!/usr/bin/env bash
# The menu on xfwm4 with xfce4-panel (its two default panels, on a session
# bus of their own): the panels covered while it is up, back as before
# (desktops, states, place) after EXIT, SIGTERM and SIGKILL, a second start
# that ends at once, and the panels hidden again when they restart
# (xfce4-panel -r).
. "$(dirname "$0")/../e2e/desktop.sh"
. "$(dirname "$0")/x11_desktop.sh"
MENU=$1

x11_desktop xfwm4 xfce4-panel
# The default dock hides itself "intelligently" while a window overlaps it;
# restarted under the fullscreen menu it would start hidden, and come out
# when the pointer reaches the edge. That is its own choice, not what the
# menu left: the dock stays out here, as a plain panel.
xfconf-query -c xfce4-panel -p /panels/panel-2/autohide-behavior -s 0
settle_panels
promise_cases xfce4-panel -r
