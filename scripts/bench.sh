#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the clock and its benchmarks, runs them all and prints one table: repaint costs of
# the views, load of the whole clock in a virtual X server, accuracy of the real timer, and
# the time from a cue's post to its sound on private PulseAudio and PipeWire servers, and
# the viewer server with 200 viewers on loopback, and the viewer page's cues against the clock's,
# and the viewer page's CPU in Chromium.
# Usage: scripts/bench.sh [LOAD_SECONDS [ACCURACY_SECONDS]]   (defaults: 60 and 120)
set -euo pipefail
cd "$(dirname "$0")/.."
load_seconds=${1:-60}
accuracy_seconds=${2:-120}
scripts/install-deps.sh
cmake --preset default > /dev/null
cmake --build --preset default -j "$(nproc)" \
    --target MervaneTimer displaybench loadbench accuracybench cuelatencybench viewerbench pagecuebench > /dev/null
bench=build/default/bench

echo "$(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | xargs), $(date -u +%F)"
echo
echo "| run | measure | figure | goal |"
echo "|---|---|---|---|"
QT_QPA_PLATFORM=offscreen "$bench/displaybench" 2> /dev/null
env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 1920x1080x24 -wr -nolisten tcp" \
    "$bench/loadbench" build/default/app/MervaneTimer "$load_seconds" 2> /dev/null
env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 3840x2160x24 -wr -nolisten tcp" \
    "$bench/loadbench" build/default/app/MervaneTimer "$load_seconds" last-minute 2> /dev/null
"$bench/accuracybench" "$accuracy_seconds" 2> /dev/null
"$bench/cuelatencybench" 50 2> /dev/null
"$bench/viewerbench" build/default/app/MervaneTimer 10 2> /dev/null
"$bench/pagecuebench" build/default/app/MervaneTimer tests/e2e/pagecue_stage.sh 3 2> /dev/null
# The page's CPU; against an earlier build when MERVANE_EARLIER names one (a MervaneTimer binary).
bench/pagecpu.sh build/default/app/MervaneTimer "$load_seconds" ${MERVANE_EARLIER:-} 2> /dev/null
