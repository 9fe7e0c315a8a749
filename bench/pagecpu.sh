#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The viewer page's CPU in Chromium, every process of it (renderer, GPU, browser), in a real
# window under Xvfb, in the middle of a phase with the banner scrolling: for the clock given
# and, when an earlier build of it is given too, for both in turns in the same run, with the
# ratio.
# Usage: pagecpu.sh PATH_TO_MervaneTimer [SECONDS [PATH_TO_AN_EARLIER_MervaneTimer]]
binary=$1 seconds=${2:-30} earlier=${3:-}
source "$(dirname "$0")/../tests/e2e/lib.sh"
start_x 1280x800
hz=$(getconf CLK_TCK)

# The CPU ticks every process of the test's browser has used so far.
browser_ticks() {
    local sum=0 pid fields
    for pid in $(pgrep -f -- "--user-data-dir=$work/browser"); do
        read -r -a fields < "/proc/$pid/stat" 2> /dev/null || continue
        sum=$((sum + fields[13] + fields[14]))
    done
    echo "$sum"
}

# page_cpu BINARY: the page's CPU, % of one core, while the clock counts a 30-minute phase.
page_cpu() {
    local port before
    port=$(shuf -i 20000-60000 -n 1)
    prefs defaults.springMinutes=30 viewer.enabled=1 viewer.address=127.0.0.1 "viewer.port=$port" \
        "defaults.marquisText=Round 3 starts at two; boards 1 to 12 in the main hall"
    rm -f "$state"
    start_clock "$1"
    xdotool windowactivate --sync "$window" key c windowminimize --sync "$window"
    start_browser "http://127.0.0.1:$port/"
    sleep 8 # started, connected, cues fetched
    before=$(browser_ticks)
    sleep "$seconds"
    calc "($(browser_ticks) - $before) * 100 / $hz / $seconds"
    pkill -f -- "--user-data-dir=$work/browser" || true
    kill "$app_pid"
    wait "$app_pid" 2> /dev/null || true
    sleep 2
}

run="viewer page in Chromium 1280x800, middle of a phase, $seconds s"
if [[ -z $earlier ]]; then
    echo "| $run | CPU of all its processes, % of one core | $(page_cpu "$binary") | |"
    exit 0
fi
# Taken in turns, twice each: the machine's own drift falls on both alike.
now=0 then=0
for _ in 1 2; do
    now=$(calc "$now + $(page_cpu "$binary") / 2")
    then=$(calc "$then + $(page_cpu "$earlier") / 2")
done
echo "| $run, twice | CPU of all its processes, % of one core | $now | |"
echo "| $run, twice, the earlier build | CPU of all its processes, % of one core | $then | |"
echo "| $run | this build against the earlier | $(calc "$now / $then") | <= 0.33 |"
