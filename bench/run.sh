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
row() { printf '%-34s %14s %14s %8s\n' "$@"; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b == 0 || a == "n/a" || b == "n/a") print "n/a"; else printf "%.2f", a / b }'; }

row figure ours reference ratio
row "----------------------------------" "--------------" "--------------" "--------"

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

# Peak memory and idle wake-ups of the Linux program under Xvfb, against
# the bare GTK window.
menu=build/linux/install-menu
if [ -x "$menu" ] && command -v Xvfb >/dev/null; then
  display=:$((70 + RANDOM % 20))
  Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  trap 'kill $xvfb 2>/dev/null || true' EXIT
  sleep 1
  peak() {  # peak resident KiB of a program that runs 3 s, then gets SIGTERM
    local prog=$1 out
    out=$(mktemp)
    DISPLAY=$display /usr/bin/time -f %M -o "$out" timeout -s TERM 3 "$prog" >/dev/null 2>&1 || true
    tail -1 "$out"; rm -f "$out"
  }
  ours=$(for _ in $(seq 3); do peak "$menu"; done | median)
  ref=$(for _ in $(seq 3); do peak "$bin/bench/bare_gtk"; done | median)
  row "peak memory, KiB" "$ours" "$ref" "$(ratio "$ours" "$ref")"
  if command -v strace >/dev/null; then
    # System calls over ten idle seconds after start-up: a program without
    # timers or polling makes none.
    DISPLAY=$display "$menu" >/dev/null 2>&1 &
    pid=$!
    sleep 3
    calls=$( (timeout -s INT 10 strace -f -c -p "$pid" 2>&1 || true) | awk '/total/ {print $4}')
    kill -TERM "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    row "idle 10 s, system calls" "${calls:-0}" "0 (target)" "-"
  fi
else
  row "peak memory, KiB" "n/a" "n/a" "n/a"
fi
