#!/usr/bin/env bash
# At scale 2 (GDK_SCALE=2 on a 2048x1536 screen) the hand pointer over the
# entries is the picture at the scale's cursor size, 64 by 64 device pixels
# with its hot spot in the middle.
E2E_SCALE=2 exec bash "$(dirname "$0")/pointer_follows_the_menu.sh" "$@"
