#!/usr/bin/env bash
# Sets up the machine, builds every preset and runs every test ring.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh
cmake --preset linux >/dev/null
cmake --build --preset linux
ctest --preset linux

# The unit and render rings again under AddressSanitizer and UndefinedBehaviorSanitizer.
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan
