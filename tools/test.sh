#!/usr/bin/env bash
# Sets up the machine, builds every preset and runs every test ring.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-2}
# Install.exe, shipping (32-bit) and for the Wine ring (64-bit), before the
# tests of the Linux tree, which check both.
for preset in win32 win64; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
done
cmake --preset linux >/dev/null
cmake --build --preset linux
ctest --preset linux

# The unit and render rings again under AddressSanitizer and UndefinedBehaviorSanitizer.
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan

# The picture decoders under libFuzzer, for a bounded time, from our own pictures.
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
bash fuzz/run.sh build/fuzz 30
