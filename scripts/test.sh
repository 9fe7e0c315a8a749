#!/usr/bin/env bash
# Builds the clock and runs the whole test suite twice: a plain build, then one under
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

for preset in default sanitize; do
    echo "== $preset build"
    cmake --preset "$preset" > /dev/null
    cmake --build --preset "$preset" -j "$(nproc)"
    ctest --preset "$preset"
done
