#!/usr/bin/env bash
# At scale 2 (GDK_SCALE=2 on a 2048x1536 screen) the real window answers the
# real pointer as the form does headless at that scale: the layout doubled,
# drawn at device resolution, and after every hover transition pixel for
# pixel the headless frame, without seams around the repainted boxes.
E2E_SCALE=2 exec bash "$(dirname "$0")/hover_matches_headless.sh" "$@"
