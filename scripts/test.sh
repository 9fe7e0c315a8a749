#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that every translation holds every text of the code, translated; fuzzes the parsers
# of what guests send for a minute each; then builds the clock and runs the whole test suite
# twice: a plain build, then one under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

echo "== translations"
scripts/translations.sh check

echo "== fuzz"
cmake --preset fuzz > /dev/null
cmake --build --preset fuzz
for parser in httprequest websocketframe; do
    corpus=build/fuzz/corpus-$parser
    MERVANE_FUZZ_SEEDS=$corpus build/fuzz/tests/fuzz/fuzz_$parser -max_total_time="${MERVANE_FUZZ_SECONDS:-60}" \
        -print_final_stats=1 -artifact_prefix=build/fuzz/ "$corpus" 2>&1 | grep -E '^#[0-9]+[[:space:]]+DONE|^stat::number_of_executed_units|ERROR|SUMMARY'
done

for preset in default sanitize; do
    echo "== $preset build"
    cmake --preset "$preset" > /dev/null
    cmake --build --preset "$preset" -j "$(nproc)"
    ctest --preset "$preset"
done
