#!/usr/bin/env bash
# The executable needs nothing beside it: copied alone into an empty folder
# and started from elsewhere, it shows its screen.
. "$(dirname "$0")/desktop.sh"
EXE=$1

desktop_start
mkdir "$E2E_TMP/alone"
cp "$EXE" "$E2E_TMP/alone/install-menu"
menu_start "$E2E_TMP/alone/install-menu" /
# EXIT, on screen (86..127, 418..439), is drawn in green.
has_colour 86 418 42 22 00FF00 10 || fail "the copied menu did not paint its screen"
kill -TERM "$MENU_PID"
expect_menu_ends_with_panel_back
echo "ok: the executable runs alone"
