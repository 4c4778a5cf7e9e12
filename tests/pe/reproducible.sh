#!/usr/bin/env bash
# Two builds of one commit give the same Install.exe byte for byte: builds
# the shipping program again in a tree of its own, at another path and
# another time, and compares it with the one built before.
#
#   reproducible.sh SOURCE-DIR INSTALL.EXE SCRATCH-DIR
#
# The PE timestamp must be a commit's time (or SOURCE_DATE_EPOCH's), not the
# link's; the second build takes the same one, so that a commit made since
# the first build does not count as a difference.
set -euo pipefail
src=$1
exe=$2
tree=$3
[ -f "$exe" ] || { echo "$exe is missing: build the win32 preset first"; exit 1; }
pe=$(od -An -tu4 -j60 -N4 "$exe" | tr -d ' ')
stamp=$(od -An -tu4 -j$((pe + 8)) -N4 "$exe" | tr -d ' ')
if [ "$stamp" != "${SOURCE_DATE_EPOCH:-}" ] && ! git -C "$src" log --format=%ct | grep -x "$stamp" >/dev/null; then
    echo "FAILED: the PE timestamp $stamp ($(date -u -d "@$stamp")) is no commit's time: the time of the link?"
    exit 1
fi
echo "ok: the PE timestamp is a commit's time, $(date -u -d "@$stamp")"
rm -rf "$tree"
trap 'rm -rf "$tree"' EXIT
# The shipping preset's settings, in this tree.
SOURCE_DATE_EPOCH=$stamp cmake --preset win32 -S "$src" -B "$tree" >/dev/null
cmake --build "$tree" --target Install -- -j "${CMAKE_BUILD_PARALLEL_LEVEL:-2}" >/dev/null
if ! cmp "$exe" "$tree/Install.exe"; then
    echo "FAILED: a second build of this commit differs from $exe"
    cmp -l "$exe" "$tree/Install.exe" | head -n 20
    # Keep the second one to look at.
    cp "$tree/Install.exe" "$(dirname "$tree")/Install.second-build.exe"
    exit 1
fi
echo "ok: $(stat -c %s "$exe") bytes, the same in both builds"
