#!/usr/bin/env bash
# Builds the benchmark programs and prints one table: figure, ours, the
# reference, the ratio. Figures whose program is not built here show n/a.
#   bash bench/run.sh
set -euo pipefail
cd "$(dirname "$0")/.."
runs=5

cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_BENCHMARKS=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build build/bench -j2 >/dev/null
bin=build/bench

median() { sort -g | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }
row() { printf '%-46s %14s %14s %8s\n' "$@"; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b == 0 || a == "n/a" || b == "n/a") print "n/a"; else printf "%.2f", a / b }'; }

row figure ours reference ratio
row "----------------------------------------------" "--------------" "--------------" "--------"

# Per event, and a full frame, over several runs.
per_event=$(for _ in $(seq $runs); do
  "$bin/bench/event_bench" --benchmark_filter=PerMouseMove --benchmark_format=csv 2>/dev/null |
    awk -F, '/PerMouseMove/ {print $4}'
done | median)
row "mouse move, ns per event" "$per_event" "1000 (target)" "$(ratio "$per_event" 1000)"
frame=$(for _ in $(seq $runs); do
  "$bin/bench/event_bench" --benchmark_filter=FullFrame --benchmark_format=csv 2>/dev/null |
    awk -F, '/FullFrame/ {print $4}'
done | median)
row "full frame headless, ms" "$frame" "-" "-"

# Repainted area as a share of the picture box.
while read -r name share; do
  case "$name" in
    *repeat) row "repaint $name, % of box" "$(awk -v s="$share" 'BEGIN{printf "%.1f", 100*s}')" "0 (target)" "-" ;;
    # What the frames really differ by: the floor of any repaint.
    *-changed-*) row "  floor: $name" "$(awk -v s="$share" 'BEGIN{printf "%.1f", 100*s}')" "-" "-" ;;
    *) row "repaint $name, % of box" "$(awk -v s="$share" 'BEGIN{printf "%.1f", 100*s}')" "10 (target)" \
         "$(ratio "$share" 0.10)" ;;
  esac
done < <("$bin/bench/repaint_area")

# Size of the shipping exe against the bitmap it must carry.
exe=build/win32/Install.exe
if [ -f "$exe" ]; then
  size=$(stat -c %s "$exe")
  row "Install.exe size, bytes" "$size" "994122" "$(ratio "$size" 994122)"
else
  row "Install.exe size, bytes" "n/a" "994122" "n/a"
fi

# One virtual display for the figures below; the programs run one at a time.
work=$(mktemp -d)
xvfb=""
wine_prefix=""
cleanup() {
  if [ -n "$wine_prefix" ]; then WINEPREFIX=$wine_prefix "$WINESERVER" -k 2>/dev/null || true; fi
  if [ -n "$xvfb" ]; then kill "$xvfb" 2>/dev/null || true; fi
  if [ -n "${xvfb2:-}" ]; then kill "$xvfb2" 2>/dev/null || true; fi
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
# Starts an X server with a screen of SIZE (WIDTHxHEIGHT) that writes its
# display number to FILE, and waits for it; its pid is left in started_xvfb.
start_xvfb() {
  Xvfb -displayfd 3 -screen 0 "${1}x24" -nolisten tcp 3>"$2" >/dev/null 2>&1 &
  started_xvfb=$!
  for _ in $(seq 100); do
    [ -s "$2" ] && break
    sleep 0.1
  done
}
display=""
if command -v Xvfb >/dev/null; then
  start_xvfb 1024x768 "$work/display"
  xvfb=$started_xvfb
  [ -s "$work/display" ] && display=":$(cat "$work/display")"
fi

# Start-up: from the exec to the first frame the program has painted over
# its whole window, measured from outside by first_frame, and the peak
# resident memory of the same runs (one second after that frame). Ours and
# the reference take turns; the first run of each only warms the caches.
ff=$bin/bench/first_frame
frames_ok=no
if [ -n "$display" ]; then
  # The criterion itself: the X server's painting of a window's background
  # is no frame, the program's drawing is.
  never=0; DISPLAY=$display "$ff" --timeout 2 -- "$bin/bench/paint_probe" never >/dev/null 2>&1 || never=$?
  paint=0; DISPLAY=$display "$ff" --timeout 5 -- "$bin/bench/paint_probe" paint >/dev/null 2>&1 || paint=$?
  if [ "$never" = 2 ] && [ "$paint" = 0 ]; then frames_ok=yes; else
    echo "first_frame counted the server's background painting, or missed a frame: no start-up figures" >&2
  fi
fi
# Runs each of the two commands (separated by --) `runs` times in turn and
# prints four medians: ours ms, reference ms, ours KiB, reference KiB. After
# each run the command in the array `settle`, when set, waits for what the
# run left busy, so that no run is charged for the one before it.
settle=()
settled() { if [ ${#settle[@]} -gt 0 ]; then DISPLAY=$display "${settle[@]}" </dev/null >/dev/null 2>&1 || true; fi; }
startup_pair() {
  local ours=() ref=() arg seen=""
  for arg in "$@"; do
    if [ "$arg" = -- ]; then seen=1; elif [ -z "$seen" ]; then ours+=("$arg"); else ref+=("$arg"); fi
  done
  DISPLAY=$display "$ff" --timeout 60 -- "${ours[@]}" >/dev/null 2>&1 || true
  settled
  DISPLAY=$display "$ff" --timeout 60 -- "${ref[@]}" >/dev/null 2>&1 || true
  settled
  : >"$work/ours"; : >"$work/ref"
  for _ in $(seq $startup_runs); do
    DISPLAY=$display "$ff" --timeout 60 --hold 1 -- "${ours[@]}" >>"$work/ours" 2>/dev/null || true
    settled
    DISPLAY=$display "$ff" --timeout 60 --hold 1 -- "${ref[@]}" >>"$work/ref" 2>/dev/null || true
    settled
  done
  local f col
  for col in 1 2; do
    for f in "$work/ours" "$work/ref"; do
      if [ -s "$f" ]; then awk -v c=$col '{print $c}' "$f" | median; else echo n/a; fi
    done
  done | paste -sd' '
}
startup_runs=${BENCH_STARTUP_RUNS:-7}
menu=build/linux/install-menu
ms_ours=n/a ms_ref=n/a kib_ours=n/a kib_ref=n/a
if [ "$frames_ok" = yes ] && [ -x "$menu" ]; then
  read -r ms_ours ms_ref kib_ours kib_ref < <(startup_pair "$menu" -- "$bin/bench/bare_gtk")
fi
row "start-up to first frame, Linux, ms" "$ms_ours" "$ms_ref" "$(ratio "$ms_ours" "$ms_ref")"
row "peak memory, Linux, KiB" "$kib_ours" "$kib_ref" "$(ratio "$kib_ours" "$kib_ref")"

# The menu leaves OpenGL out of GDK, which the bare window, as GTK does by
# default, probes at start-up: the same pair against a bare window that
# leaves it out too shows what the menu's own work costs.
ms_ours=n/a ms_ref=n/a kib_ours=n/a kib_ref=n/a
if [ "$frames_ok" = yes ] && [ -x "$menu" ]; then
  read -r ms_ours ms_ref kib_ours kib_ref < <(startup_pair "$menu" -- env GDK_GL=disable "$bin/bench/bare_gtk")
fi
row "  the same against bare_gtk without OpenGL, ms" "$ms_ours" "$ms_ref" "$(ratio "$ms_ours" "$ms_ref")"
row "  peak memory against it, KiB" "$kib_ours" "$kib_ref" "$(ratio "$kib_ours" "$kib_ref")"

# The same at scale 2 (GDK_SCALE=2, a 200 % desktop) on a 2048x1536 screen
# of its own: the menu and the bare window both draw four device pixels for
# each layout pixel.
ms_ours=n/a ms_ref=n/a kib_ours=n/a kib_ref=n/a
if [ "$frames_ok" = yes ] && [ -x "$menu" ]; then
  start_xvfb 2048x1536 "$work/display2"
  xvfb2=$started_xvfb
  if [ -s "$work/display2" ]; then
    read -r ms_ours ms_ref kib_ours kib_ref < <(display=":$(cat "$work/display2")" GDK_SCALE=2 \
                                                  startup_pair "$menu" -- "$bin/bench/bare_gtk")
  fi
  kill "$xvfb2" 2>/dev/null || true
fi
row "start-up to first frame, Linux at scale 2, ms" "$ms_ours" "$ms_ref" "$(ratio "$ms_ours" "$ms_ref")"
row "peak memory, Linux at scale 2, KiB" "$kib_ours" "$kib_ref" "$(ratio "$kib_ours" "$kib_ref")"

# The 64-bit Install.exe under Wine against a bare Win32 window, in a prefix
# of its own made once, without a virtual desktop (each top-level window is
# an X window of its own), with a wineserver kept running between the runs
# so that each run measures the program, not Wine's start. Both programs
# carry the manifest that makes them draw at the monitor's DPI; they run at
# 96 dots per inch, then at 144 (Wine reports LogPixels as every monitor's
# DPI).
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver64
exe=build/win64/Install.exe
bare=build/win64/bench/bare_win32.exe
ms_ours=n/a ms_ref=n/a kib_ours=n/a kib_ref=n/a
ms144_ours=n/a ms144_ref=n/a
# Gives the prefix a DPI while no Wine program runs, then measures the pair
# there: prints the four medians of startup_pair.
wine_pair_at() {
  "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f </dev/null >/dev/null 2>&1
  timeout 60 "$WINESERVER" -w
  "$WINESERVER" -p </dev/null >/dev/null 2>&1
  # Wine's desktop process would otherwise end between the runs and start
  # again inside the next one.
  keeper=build/win64/bench/desktop_keeper.exe
  if [ -f "$keeper" ]; then
    DISPLAY=$display "$WINE" "$keeper" </dev/null >/dev/null 2>&1 &
    # Between the runs: until Wine's desktop process answers again.
    settle=("$WINE" "$keeper" settle)
  fi
  startup_pair "$WINE" "$work/disc/Install.exe" -- "$WINE" "$work/bare/bare_win32.exe"
  settle=()
  "$WINESERVER" -k 2>/dev/null || true
  timeout 60 "$WINESERVER" -w || true
}
if [ "$frames_ok" = yes ] && [ -x "$WINE" ] && [ -x "$WINESERVER" ] && [ -f "$exe" ] && [ -f "$bare" ]; then
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  prefix=$(realpath -m build/bench/wineprefix)
  if [ ! -f "$prefix/.bench-prefix-2" ]; then
    rm -rf "$prefix"
    mkdir -p "$prefix"
    # The screen's faces as the Debian faces of the Wine test ring.
    (export WINEPREFIX=$prefix DISPLAY=$display
     "$WINE" wineboot -i </dev/null >/dev/null 2>&1
     while IFS='=' read -r face replacement; do
       "$WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d "$replacement" /f </dev/null >/dev/null 2>&1
     done <tests/wine/font-replacements
     timeout 60 "$WINESERVER" -w) && touch "$prefix/.bench-prefix-2"
  fi
  if [ -f "$prefix/.bench-prefix-2" ]; then
    wine_prefix=$prefix
    export WINEPREFIX=$prefix
    mkdir "$work/disc" "$work/bare"
    cp "$exe" "$work/disc/"
    cp "$bare" "$work/bare/"
    read -r ms144_ours ms144_ref _ _ < <(wine_pair_at 144)
    read -r ms_ours ms_ref kib_ours kib_ref < <(wine_pair_at 96)
    wine_prefix=""
    unset WINEPREFIX
  fi
fi
row "start-up to first frame, Wine, ms" "$ms_ours" "$ms_ref" "$(ratio "$ms_ours" "$ms_ref")"
row "peak memory under Wine, KiB" "$kib_ours" "$kib_ref" "$(ratio "$kib_ours" "$kib_ref")"
row "start-up to first frame, Wine at 144 dpi, ms" "$ms144_ours" "$ms144_ref" "$(ratio "$ms144_ours" "$ms144_ref")"

# Idle wake-ups of the Linux program under Xvfb: system calls over ten idle
# seconds after start-up; a program without timers or polling makes none.
if [ -x "$menu" ] && [ -n "$display" ] && command -v strace >/dev/null; then
  DISPLAY=$display "$menu" >/dev/null 2>&1 &
  pid=$!
  sleep 3
  calls=$( (timeout -s INT 10 strace -f -c -p "$pid" 2>&1 || true) | awk '/total/ {print $4}')
  kill -TERM "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  row "idle 10 s, system calls" "${calls:-0}" "0 (target)" "-"
else
  row "idle 10 s, system calls" "n/a" "0 (target)" "-"
fi
