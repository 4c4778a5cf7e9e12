#!/usr/bin/env bash
# Sets up the machine, builds every preset and runs every test ring.
#
# The packages the builds need are installed first; those only the test
# rings need (virtual desktops, Wine, 32-bit Wine) are installed while the
# programs compile, and waited for before the first test. The rings run
# TEST_JOBS tests at a time (3 unless set: most of them wait on X and Wine
# rather than compute; tests that share a Wine prefix take turns, and
# those that build take two slots). Each phase's time is printed at its end.
set -euo pipefail
cd "$(dirname "$0")/.."

phase_start=$SECONDS
phase() {
    echo "test.sh: $1 took $((SECONDS - phase_start)) s"
    phase_start=$SECONDS
}

bash tools/setup.sh build
phase "installing the build's packages"
mkdir -p build
install_rings() {
    local start=$SECONDS
    bash tools/setup.sh desktop rings
    echo "test.sh: installing the rings' packages took $((SECONDS - start)) s"
}
# As root (CI) beside the builds; otherwise now, where sudo can ask for a password.
rings_setup=""
if [ "$(id -u)" -eq 0 ]; then
    install_rings >build/setup-rings.log 2>&1 &
    rings_setup=$!
else
    install_rings | tee build/setup-rings.log
fi

export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-2}
# Install.exe, shipping (32-bit) and for the Wine ring (64-bit), before the
# tests of the Linux tree, which check both.
for preset in win32 win64 linux; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    phase "building $preset"
done

if [ -n "$rings_setup" ] && ! wait "$rings_setup"; then
    cat build/setup-rings.log
    echo "test.sh: installing the test rings' packages failed (above)"
    exit 1
fi
tail -n 1 build/setup-rings.log
phase "waiting for the rings' packages"
ctest --preset linux -j "${TEST_JOBS:-3}"
phase "the test rings"

# The unit and render rings again under AddressSanitizer and UndefinedBehaviorSanitizer.
cmake --preset asan >/dev/null
cmake --build --preset asan
phase "building asan"
ctest --preset asan -j "${TEST_JOBS:-3}"
phase "the rings under the sanitizers"

# The picture decoders under libFuzzer, for a bounded time, from our own pictures.
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
phase "building fuzz"
bash fuzz/run.sh build/fuzz 30
phase "fuzzing"
