# Real X11 desktops for the desktops ring: a window manager and a panel from
# Debian on a display of their own, and the promise checked on them. Source
# this file after tests/e2e/desktop.sh has been sourced; the case scripts
# pass the menu and the panel probe as $1 and $2.
#
#   x11_desktop WM PANEL       starts openbox or xfwm4 (on a session bus of its own,
#                              which xfwm4 and xfce4-panel need) with tint2, lxpanel,
#                              xfce4-panel or plank, and waits for the panel
#   docks                      what the panel probe says of every dock window
#   shown_docks                the docks on the screen, without their window ids
#   panel_restart              ends the panel and starts it again
#   settle_panels              waits until the panels stop moving
#   promise_cases RESTART...   the ring's cases, with the command that reloads or
#                              restarts the panel while the menu is up

PROBE=$2
export HOME="$E2E_TMP/home" XDG_CONFIG_HOME="$E2E_TMP/home/.config" XDG_CACHE_HOME="$E2E_TMP/home/.cache"
mkdir -p "$XDG_CONFIG_HOME"

docks() { "$PROBE"; }
shown_docks() { "$PROBE" | awk '$2 == "viewable" { $1 = ""; print }' | sort; }
no_dock_shown() { [ -z "$(shown_docks)" ]; }
docks_are() { [ "$(shown_docks)" = "$1" ]; }
# The windows that are docks but not on the screen, with their state.
hidden_docks() { "$PROBE" | awk '$2 != "viewable"' | sort; }

x11_desktop() {
    local wm=$1 panel=$2
    display_start
    if [ "$wm" = xfwm4 ] || [ "$panel" = xfce4-panel ]; then
        # A session bus of this display's own, for xfconfd.
        dbus-daemon --session --nofork --print-address=3 3>"$E2E_TMP/bus" 2>"$E2E_TMP/bus.log" &
        E2E_PIDS+=($!)
        wait_until 10 test -s "$E2E_TMP/bus" || fail "no session bus: $(cat "$E2E_TMP/bus.log")"
        export DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$E2E_TMP/bus")
    fi
    case $wm in
        openbox) openbox --sm-disable >"$E2E_TMP/wm.log" 2>&1 & ;;
        xfwm4) xfwm4 --compositor=off --sm-client-disable >"$E2E_TMP/wm.log" 2>&1 & ;;
    esac
    E2E_PIDS+=($!)
    wait_until 20 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' ||
        fail "$wm did not start on $DISPLAY"
    # Two desktops to switch between.
    wmctrl -n 2
    panel_start "$panel"
    PANEL_NAME=$panel
}

# Starts the panel NAME (a program of that name) in the background.
panel_launch() {
    "$1" >>"$E2E_TMP/panel.log" 2>&1 &
    PANEL_PID=$!
    E2E_PIDS+=($PANEL_PID)
}

# Ends the panel and starts it anew, as a panel started after the menu,
# without waiting for it to show (the menu may be hiding it).
panel_restart() {
    kill -TERM "$PANEL_PID"
    wait "$PANEL_PID" 2>/dev/null
    panel_launch "$PANEL_NAME"
}

panel_start() {
    panel_launch "$1"
    wait_until 30 sh -c '[ -n "$("$0" | awk "\$2 == \"viewable\"")" ]' "$PROBE" || fail "$1 showed no panel"
    settle_panels
}

# Panels place themselves after they map, and some show several windows
# one after another: waits until nothing has changed for two seconds.
settle_panels() {
    local before="" still=0 now
    while [ $still -lt 4 ]; do
        now=$(shown_docks)
        [ "$now" = "$before" ] && still=$((still + 1)) || still=0
        before=$now
        sleep 0.5
    done
}

menu_covers_screen() {
    local g
    g=$(xwininfo -id "$MENU_WINDOW" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
        /Width:/ {w=$NF} /Height:/ {h=$NF} END {print w "x" h "+" x "+" y}')
    [ "$g" = "${E2E_WIDTH}x${E2E_HEIGHT}+0+0" ]
}

expect_covered() {
    wait_until 10 no_dock_shown || fail "$1: panels still shown: $(shown_docks)"
    menu_covers_screen || fail "$1: the menu does not cover the screen: $(xwininfo -id "$MENU_WINDOW" | grep -- -geometry)"
}

expect_as_before() {
    wait_until 10 docks_are "$BEFORE" || fail "$1: the panels are not as before:
$(docks)
before:
$BEFORE"
    [ "$(hidden_docks)" = "$HIDDEN_BEFORE" ] || fail "$1: a window that was not shown changed:
$(hidden_docks)
before:
$HIDDEN_BEFORE"
}

exit_click() {
    # EXIT's box on screen, at scale 1.
    xdotool mousemove 106 428
    wait_until 5 has_colour 86 418 42 22 00FFFF 10 || fail "EXIT did not turn cyan under the pointer"
    xdotool click 1
}

promise_cases() {
    BEFORE=$(shown_docks)
    HIDDEN_BEFORE=$(hidden_docks)
    [ -n "$BEFORE" ] || fail "no panel to test with"

    # Covered while up, back as before after EXIT, and on the other desktop too.
    menu_start "$MENU"
    expect_covered "while up"
    exit_click
    expect_menu_ends_with_panel_back_as_before "after EXIT"
    wmctrl -s 1
    wait_until 5 docks_are "$BEFORE" || fail "on desktop 2 the panels are: $(shown_docks)"
    wmctrl -s 0
    echo "ok: $PANEL_NAME is covered while the menu is up, and back as before on both desktops after EXIT;" \
        "docks that were not shown (openbox's own) stay as they were"

    # A second start brings the first menu to the front, over the window
    # that had the focus (an installer's, say), and ends, touching nothing.
    menu_start "$MENU"
    xmessage -name installer -geometry 300x100+100+100 "an installer" &
    E2E_PIDS+=($!)
    find_installer() { find_window INSTALLER --classname installer; }
    wait_until 10 find_installer || fail "the installer's window did not show"
    xdotool windowactivate --sync "$INSTALLER" 2>/dev/null
    installer_active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$INSTALLER" ]; }
    wait_until 5 installer_active || fail "the installer's window did not take the focus"
    "$MENU" >"$E2E_TMP/second.log" 2>&1 &
    local second=$!
    second_gone() { ! kill -0 "$second" 2>/dev/null || ps -o stat= -p "$second" | grep -q Z; }
    wait_until 30 second_gone || fail "the second start did not end: $(cat "$E2E_TMP/second.log")" \
        "$(grep -H . /proc/"$second"/task/*/wchan 2>/dev/null)"
    wait "$second" || fail "the second start ended with status $?: $(cat "$E2E_TMP/second.log")"
    menu_running || fail "the second start ended the first menu"
    menu_active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$MENU_WINDOW" ]; }
    wait_until 5 menu_active || fail "the second start did not bring the menu to the front"
    [ "$(xdotool search --onlyvisible --classname install-menu 2>/dev/null | wc -l)" -eq 1 ] || fail "two menu windows"
    expect_covered "after a second start"
    kill -TERM "$MENU_PID"
    expect_menu_ends_with_panel_back_as_before "after SIGTERM"
    echo "ok: a second start brings the first menu to the front and ends with status 0; SIGTERM puts $PANEL_NAME back"

    # A panel that reloads or restarts while the menu is up is hidden too;
    # SIGKILL leaves the guard to put back the panel as it now is.
    menu_start "$MENU"
    "$@"
    # The restarted panel's windows are there, and hidden.
    local panels
    panels=$(echo "$BEFORE" | wc -l)
    restarted_hidden() { [ "$("$PROBE" | awk '$2 != "viewable" && $NF != "class=-"' | wc -l)" -ge "$panels" ]; }
    sleep 2
    wait_until 20 restarted_hidden || fail "the panel did not restart: $(docks)"
    expect_covered "after the panel's restart"
    kill -CONT "$GUARD_PID"
    kill -KILL "$MENU_PID"
    wait_until 10 menu_gone || fail "the menu survived SIGKILL"
    expect_as_before "after a restart and SIGKILL"
    wait_until 10 guard_gone || fail "the panel guard did not end"
    echo "ok: $PANEL_NAME restarted while the menu was up stays covered, and SIGKILL's guard puts it back"
}

expect_menu_ends_with_panel_back_as_before() {
    wait_until 10 menu_gone || fail "$1: the menu did not end"
    wait "$MENU_PID" 2>/dev/null
    local rc=$?
    [ "$rc" -eq 0 ] || fail "$1: the menu ended with status $rc: $(cat "$E2E_TMP/menu.log")"
    expect_as_before "$1"
    release_guard
}
