#!/usr/bin/env bash
# One step of the pe32 ring, run by CTest: the shipping 32-bit Install.exe
# under Debian's 32-bit Wine, in a prefix of the ring's own, worked from
# outside its process by the Wine ring's 64-bit drivers (tests/wine/ring.sh
# runs each step).
#
#   ring.sh prefix PREFIX                   makes the prefix, with its 32-bit
#                                           half
#   ring.sh launch PREFIX WIN32 WIN64 CASE  wine-launch-driver.exe CASE (from
#                                           the WIN64 tree) with WIN32's
#                                           Install.exe as the menu, and its
#                                           64-bit twin beside it
#
# 32-bit programs run natively where the machine runs 32-bit x86 code, and
# otherwise each under qemu-i386, which tools/setup.sh provides
# (tools/wine32.sh); the drivers' waits then last ten times as long.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../tools/wine32.sh"

mode=$1
prefix=$(realpath -m "$2")
export RING_NAME=pe32
if wine32_runs_natively; then
    export RING_WINE=/usr/lib/wine/wine64
else
    wine32_emulator_works ||
        { echo "this machine runs no 32-bit x86 code, and $WINE32_QEMU does not run it: run tools/setup.sh"; exit 1; }
    # The Wine installation that runs 32-bit processes under qemu lies
    # beside the prefix; the steps hold the ring's lock, so one makes it
    # at a time.
    mkdir -p "$(dirname "$prefix")"
    RING_WINE=$(wine32_emulated_loader "$prefix.wine")
    export RING_WINE RING_TIME_SCALE=${RING_TIME_SCALE:-10} RING_TIMEOUT=900
fi

case $mode in
prefix)
    exec bash "$here/../wine/ring.sh" prefix "$prefix"
    ;;
launch)
    win32=$3 win64=$4 what=$5
    for f in "$win32/Install.exe" "$win64/Install.exe"; do
        [ -f "$f" ] || { echo "$f is missing: build the win32 and win64 presets first"; exit 1; }
    done
    # The menu under test and the 64-bit helpers, as the driver expects
    # them in one folder.
    stage=$(mktemp -d)
    trap 'rm -rf "$stage"' EXIT
    mkdir "$stage/64-bit"
    ln -s "$(realpath "$win32/Install.exe")" "$stage/Install.exe"
    ln -s "$(realpath "$win64/Install.exe")" "$stage/64-bit/Install.exe"
    for helper in wine-launch-driver.exe stub-installer.exe fatal-guard-probe.exe; do
        ln -s "$(realpath -m "$win64/$helper")" "$stage/$helper"
    done
    bash "$here/../wine/ring.sh" launch "$prefix" "$stage" "$what"
    ;;
*)
    echo "usage: ring.sh prefix PREFIX | launch PREFIX WIN32-BUILD WIN64-BUILD CASE" >&2
    exit 2
    ;;
esac
