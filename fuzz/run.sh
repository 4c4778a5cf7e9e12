#!/usr/bin/env bash
# Runs each fuzz target for a bounded time from a seed corpus of our own
# pictures and prints how many inputs it tried. A crash fails the run and
# leaves the input that caused it in build/fuzz/crashes/.
#   fuzz/run.sh BUILD_DIR [SECONDS]
set -euo pipefail
build=$1 seconds=${2:-30}
src=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$build/crashes"
for target in metafile picture; do
    corpus="$build/corpus-$target"
    mkdir -p "$corpus"
    if [ "$target" = metafile ]; then
        cp "$src"/screen/pictures/*.wmf "$corpus/"
    else
        cp "$src"/screen/pictures/* "$corpus/"
    fi
    # Inputs that once crashed stay in the corpus as regressions.
    [ -d "$src/fuzz/regressions/$target" ] && cp "$src/fuzz/regressions/$target"/* "$corpus/" 2>/dev/null || true
    log="$build/fuzz-$target.log"
    if ! "$build/fuzz/${target}_fuzz" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=1024 \
        -max_len=1100000 -artifact_prefix="$build/crashes/$target-" "$corpus" >"$log" 2>&1; then
        tail -40 "$log"
        echo "fuzz: $target found a failure (input in $build/crashes/)"
        exit 1
    fi
    runs=$(grep -o 'Done [0-9]* runs' "$log" | tail -1 | grep -o '[0-9]*')
    echo "fuzz: $target: ${runs:-?} inputs in ${seconds} s, no failure"
done
