#!/usr/bin/env bash
# A click on EXIT ends the menu and brings the panel back.
. "$(dirname "$0")/desktop.sh"
EXE=$1

desktop_start
menu_start "$EXE"
[ "$(map_state "$PANEL")" = IsUnMapped ] || fail "the panel was not hidden"

# EXIT's box, client (85..126, 417..438), lies one frame pixel further on screen.
has_colour 86 418 42 22 00FF00 10 || fail "EXIT is not drawn in green"
xdotool mousemove 106 428
wait_until 5 has_colour 86 418 42 22 00FFFF 10 || fail "EXIT did not turn cyan under the pointer"
xdotool click 1
expect_menu_ends_with_panel_back
echo "ok: EXIT ends the menu and shows the panel"
