#!/usr/bin/env bash
# A close request from the window manager (Alt+F4, or a pager's close
# button through _NET_CLOSE_WINDOW) ends the menu and brings the panel back.
. "$(dirname "$0")/desktop.sh"
EXE=$1

desktop_start

menu_start "$EXE"
xdotool windowactivate --sync "$MENU_WINDOW" 2>/dev/null || xdotool windowfocus --sync "$MENU_WINDOW"
xdotool key alt+F4
expect_menu_ends_with_panel_back
echo "ok: Alt+F4 ends the menu and shows the panel"

menu_start "$EXE"
wmctrl -i -c "$MENU_WINDOW"
expect_menu_ends_with_panel_back
echo "ok: a close request ends the menu and shows the panel"
