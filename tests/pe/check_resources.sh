#!/usr/bin/env bash
# Reads the shipping Install.exe's resources back with Windows' own API:
# runs resource-check.exe (from the win64 build) under wine64 on it.
#
#   check_resources.sh PREFIX RESOURCE-CHECK.EXE INSTALL.EXE
set -euo pipefail
export WINEPREFIX=$(realpath -m "$1")
checker=$2
exe=$(realpath "$3")
for f in "$checker" "$exe"; do
    [ -f "$f" ] || { echo "$f is missing: build the win32 and win64 presets first"; exit 1; }
done
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap '/usr/lib/wine/wineserver64 -k 2>/dev/null || true' EXIT
# No window is made, so no display is needed.
unset DISPLAY
/usr/lib/wine/wine64 "$checker" "Z:${exe//\//\\}"
