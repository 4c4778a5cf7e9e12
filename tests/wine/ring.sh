#!/usr/bin/env bash
# One step of the Wine ring, run by CTest.
#
#   ring.sh prefix PREFIX              makes the Wine prefix once, with the
#                                      "shell" desktop (the one with a
#                                      taskbar) as its default desktop, and
#                                      the screen's three faces replaced by
#                                      the Debian faces the Linux build uses
#   ring.sh case PREFIX BUILD SCENARIO runs BUILD/Install.exe from a fresh
#                                      directory and drives it with
#                                      BUILD/wine-driver.exe SCENARIO
#   ring.sh shell PREFIX BUILD [root|crash]
#                                      runs BUILD/shell-test.exe from a fresh
#                                      directory, or from the root of a
#                                      drive mapped to one
#   ring.sh msaa PREFIX BUILD          runs BUILD/msaa-test.exe, which opens the
#                                      menu window in its own process and
#                                      checks its screen-reader object
#   ring.sh launch PREFIX BUILD CASE   BUILD/wine-launch-driver.exe CASE starts
#                                      Install.exe itself, in folders it makes
#                                      under a fresh directory; screenshots
#                                      it takes are kept as PNGs here. CASE
#                                      disc puts the product disc in drive D:
#   ring.sh dpi PREFIX BUILD           BUILD/dpi-test.exe at the step's DPI
#
# Each step starts its own virtual display and leaves no Wine or X server
# behind. A step runs at the DPI RING_DPI names (96 unless set), which it
# gives the prefix first. RING_WINE names another Wine loader to run
# everything with (the pe32 ring's), RING_NAME the ring the screenshots are
# named after (wine unless set), RING_TIMEOUT the seconds a driver may run
# (240 unless set).
set -euo pipefail

WINE=${RING_WINE:-/usr/lib/wine/wine64}
WINESERVER=/usr/lib/wine/wineserver64
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

mode=$1
export WINEPREFIX=$(realpath -m "$2")
# Made when the prefix is ready; its number changes with what the prefix holds.
ready="$WINEPREFIX/.ring-prefix-4"
work=$(mktemp -d)
xvfb_pid=""
mapped=""  # a drive letter this run mapped, removed again at the end
drive_link=""
drive_type=""  # a drive type this run registered, removed again at the end

cleanup() {
    [ -n "$mapped" ] && rm -f "$mapped"
    [ -n "$drive_type" ] && "$WINE" reg delete 'HKLM\Software\Wine\Drives' /v "$drive_type" /f >/dev/null 2>&1
    "$WINESERVER" -k 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    [ -n "$drive_link" ] && rm -f "$drive_link"
    wait 2>/dev/null || true
    chmod -R u+w "$work" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

start_display() {
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.1
    done
    [ -s "$work/display" ] || { echo "Xvfb did not start"; exit 1; }
    export DISPLAY=":$(cat "$work/display")"
}

# A Unix path as Wine's drive Z: shows it.
winpath() { local p=$1; printf 'Z:%s' "${p//\//\\}"; }

# Waits for every Wine process of the prefix to end; false after the timeout.
wine_settles() {
    timeout "$1" "$WINESERVER" -w
}

# Gives the prefix the DPI of this step: Wine reports LogPixels as every
# monitor's DPI. A marker holds the value set last, so only a change costs a
# start of Wine; it is written once the registry has been saved.
use_dpi() {
    local want=${RING_DPI:-96} marker="$WINEPREFIX/.ring-dpi"
    [ "$(cat "$marker" 2>/dev/null)" = "$want" ] && return 0
    rm -f "$marker"
    "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$want" /f >/dev/null 2>&1 ||
        { echo "cannot set LogPixels to $want"; exit 1; }
    wine_settles 20 || { echo "Wine did not settle after setting LogPixels"; exit 1; }
    echo "$want" >"$marker"
}

case $mode in
prefix)
    if [ -f "$ready" ]; then
        echo "prefix $WINEPREFIX is ready"
        exit 0
    fi
    rm -rf "$WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    start_display
    "$WINE" wineboot -i >/dev/null 2>&1
    "$WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d shell /f >/dev/null 2>&1
    "$WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shell /d 1024x768 /f >/dev/null 2>&1
    # The standard Windows colours and faces the Linux back end draws with,
    # so that screenshots of both compare: the light grey of the inactive
    # border, and the screen's faces as the Debian faces that stand in for
    # them (Install.exe carries no font; Wine's own Tahoma and its stand-in
    # for Courier New are wider, and wrap the menu's entries).
    "$WINE" reg add 'HKCU\Control Panel\Colors' /v InactiveBorder /d '180 180 180' /f >/dev/null 2>&1
    while IFS='=' read -r face replacement; do
        "$WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d "$replacement" /f >/dev/null 2>&1
    done <"$(dirname "$0")/font-replacements"
    # Keyboard cues (focus rectangles, access-key underlines) shown only once
    # the keyboard is used, as Windows has them by default; Wine's own
    # default shows them always.
    "$WINE" reg add 'HKCU\Control Panel\Desktop' /v UserPreferencesMask /t REG_BINARY \
        /d 1000028012000000 /f >/dev/null 2>&1
    wine_settles 60
    echo 96 >"$WINEPREFIX/.ring-dpi"
    touch "$ready"
    echo "prefix $WINEPREFIX made"
    ;;
case)
    build=$3
    scenario=$4
    for f in Install.exe wine-driver.exe; do
        [ -f "$build/$f" ] || { echo "$build/$f is missing: build the win64 preset first"; exit 1; }
    done
    [ -f "$ready" ] || { echo "no Wine prefix at $WINEPREFIX"; exit 1; }
    wine_settles 20 || "$WINESERVER" -k || true
    start_display
    use_dpi
    mkdir "$work/disc"
    cp "$build/Install.exe" "$work/disc/"
    cp "$build/wine-driver.exe" "$work/"
    args=("$scenario")
    if [ "$scenario" = start ]; then
        cp "$build/stub-installer.exe" "$work/disc/QUV.EXE"
        args+=("Z:${work//\//\\}\\disc")
    fi

    (cd "$work/disc" && exec "$WINE" Install.exe) &
    menu_pid=$!
    status=0
    "$WINE" "$work/wine-driver.exe" "${args[@]}" || status=1

    # The menu must have ended by itself: it gets a few seconds after its
    # window went.
    for _ in $(seq 50); do
        kill -0 "$menu_pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$menu_pid" 2>/dev/null; then
        echo "FAILED: Install.exe is still running after its window went"
        status=1
    else
        wait "$menu_pid" || { echo "FAILED: Install.exe ended with status $?"; status=1; }
        echo "ok: Install.exe ended"
    fi
    wine_settles 20 || { echo "FAILED: Wine did not settle"; status=1; }
    exit $status
    ;;
shell)
    build=$3
    where=${4:-folder}
    [ -f "$ready" ] || { echo "no Wine prefix at $WINEPREFIX"; exit 1; }
    wine_settles 20 || "$WINESERVER" -k || true
    start_display
    use_dpi
    mkdir "$work/disc"
    cp "$build/shell-test.exe" "$build/stub-installer.exe" "$work/disc/"
    status=0
    if [ "$where" = root ]; then
        # A drive letter of its own for this run, mapped to the fresh directory.
        drive=""
        for letter in t u v w x y; do
            link="$WINEPREFIX/dosdevices/$letter:"
            [ -e "$link" ] || [ -L "$link" ] || { drive=$letter; break; }
        done
        [ -n "$drive" ] || { echo "no free drive letter in the prefix"; exit 1; }
        mapped="$WINEPREFIX/dosdevices/$drive:"
        ln -s "$work/disc" "$mapped"
        "$WINE" "$drive:\\shell-test.exe" root || status=1
    elif [ "$where" = crash ]; then
        "$WINE" "$work/disc/shell-test.exe" crash || status=1
    else
        "$WINE" "$work/disc/shell-test.exe" || status=1
    fi
    wine_settles 20 || { echo "FAILED: Wine did not settle"; status=1; }
    exit $status
    ;;
msaa | dpi)
    # A test program that runs Install.exe's window in its own process:
    # msaa-test reads its screen-reader object, dpi-test draws it at the
    # prefix's DPI.
    build=$3
    program=$mode-test.exe
    [ -f "$build/$program" ] || { echo "$build/$program is missing: build the win64 preset first"; exit 1; }
    [ -f "$ready" ] || { echo "no Wine prefix at $WINEPREFIX"; exit 1; }
    wine_settles 20 || "$WINESERVER" -k || true
    start_display
    use_dpi
    status=0
    timeout 120 "$WINE" "$build/$program" "${RING_DPI:-96}" || status=1
    wine_settles 20 || { echo "FAILED: Wine did not settle"; status=1; }
    exit $status
    ;;
launch)
    build=$3
    what=$4
    for f in Install.exe wine-launch-driver.exe stub-installer.exe fatal-guard-probe.exe; do
        [ -f "$build/$f" ] || { echo "$build/$f is missing: build the win64 preset first"; exit 1; }
    done
    [ -f "$ready" ] || { echo "no Wine prefix at $WINEPREFIX"; exit 1; }
    wine_settles 20 || "$WINESERVER" -k || true
    start_display
    use_dpi
    if [ "$what" = paths ]; then
        # Drive R: is the root of a folder that holds the menu.
        mkdir "$work/root"
        drive_link="$WINEPREFIX/dosdevices/r:"
        ln -sfn "$work/root" "$drive_link"
    fi
    run=()
    if [ "$what" = disc ]; then
        # The product disc made from this Install.exe and two stub
        # installers, its image unpacked as a CD drive shows it, less the
        # address-book installer, in drive D:, which Wine is told is a CD-ROM
        # drive. A read-only bind mount in a mount namespace of this run's
        # own makes it read-only even for root; where no namespace can be
        # made, the driver is told not to expect it.
        src=$(cd "$(dirname "$0")/../.." && pwd)
        mkdir "$work/installers"
        cp "$build/stub-installer.exe" "$work/installers/QUV.exe"
        cp "$build/stub-installer.exe" "$work/installers/Murdelo.exe"
        cmake -DMENU_EXE="$build/Install.exe" -DINSTALLERS_DIR="$work/installers" -DDISC_DIR="$work/disc" \
              -DDISC_ISO="$work/tarvelo.iso" -P "$src/disc/make-disc.cmake" >/dev/null
        xorriso -osirrox on -indev "$work/tarvelo.iso" -extract / "$work/cd" >/dev/null 2>&1
        chmod -R u+w "$work/cd"
        rm "$work/cd/Murdelo.exe"
        chmod -R a-w "$work/cd"
        drive_link="$WINEPREFIX/dosdevices/d:"
        ln -sfn "$work/cd" "$drive_link"
        "$WINE" reg add 'HKLM\Software\Wine\Drives' /v d: /d cdrom /f >/dev/null 2>&1
        drive_type=d:
        wine_settles 20 || "$WINESERVER" -k || true
        if unshare -m --propagation private \
               sh -c 'mount --bind "$1" "$1" && mount -o remount,bind,ro "$1"' _ "$work/cd" 2>/dev/null; then
            run=(unshare -m --propagation private sh -c \
                 'mount --bind "$1" "$1" && mount -o remount,bind,ro "$1" && shift && exec "$@"' _ "$work/cd")
        else
            echo "note: no mount namespace here; the disc is read-only only by its file modes"
            export DISC_WRITABLE=1
        fi
    fi
    status=0
    "${run[@]}" timeout "${RING_TIMEOUT:-240}" "$WINE" "$build/wine-launch-driver.exe" "$what" "$(winpath "$work")" "$(winpath "$build")" || status=1
    for shot in "$work"/*.bmp; do
        [ -f "$shot" ] && convert "$shot" "${RING_NAME:-wine}-$what-$(basename "$shot" .bmp).png"
    done
    wine_settles 20 || { echo "FAILED: Wine did not settle"; status=1; }
    exit $status
    ;;
*)
    echo "usage: ring.sh prefix PREFIX | case PREFIX BUILD SCENARIO | shell PREFIX BUILD [root] | msaa PREFIX BUILD | launch PREFIX BUILD CASE | dpi PREFIX BUILD" >&2
    exit 2
    ;;
esac
