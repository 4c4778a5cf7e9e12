#!/usr/bin/env bash
# At scale 2 (GDK_SCALE=2 on a 2048x1536 screen) the menu covers the screen,
# its frame and layout doubled, and shows exactly the headless start screen at
# that scale, its menu entries still bold and each on one line.
E2E_SCALE=2 exec bash "$(dirname "$0")/start_covers_screen.sh" "$@"
