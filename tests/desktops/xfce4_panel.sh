#!/usr/bin/env bash
# The menu on xfwm4 with xfce4-panel (its two default panels, on a session
# bus of their own): the panels covered while it is up, back as before
# (desktops, states, place) after EXIT, SIGTERM and SIGKILL, a second start
# that ends at once, and the panels hidden again when they restart
# (xfce4-panel -r).
. "$(dirname "$0")/../e2e/desktop.sh"
. "$(dirname "$0")/x11_desktop.sh"
MENU=$1

# The default dock hides itself "intelligently" while a window overlaps it;
# restarted under the fullscreen menu it would start hidden, and come out
# when the pointer reaches the edge. That is its own choice, not what the
# menu left: here the dock stays out, as a plain panel, in the user's own
# copy of the default configuration.
channel="$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml"
mkdir -p "$channel"
sed 's|<property name="autohide-behavior" type="uint" value="1"/>|<property name="autohide-behavior" type="uint" value="0"/>|' \
    /etc/xdg/xfce4/panel/default.xml >"$channel/xfce4-panel.xml"
x11_desktop xfwm4 xfce4-panel
both_panels_shown() { [ "$(shown_docks | wc -l)" -ge 2 ]; }
wait_until 30 both_panels_shown || fail "xfce4-panel did not show both its panels: $(shown_docks)"
settle_panels
promise_cases xfce4-panel -r
