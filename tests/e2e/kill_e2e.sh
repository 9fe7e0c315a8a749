#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SIGKILLs the real clock at random moments as it runs, nudges and changes phase; each restart
# must resume the phase and time left of a reference kept here from the keys and the time passed.
# Usage: kill_e2e.sh PATH_TO_MervaneTimer [KILLS]
binary=$1 kills=${2:-20}
source "$(dirname "$0")/lib.sh"
start_x

phases=(Spring Fall)
phase=0  # phases passed since Spring 1901, by the reference
left=600 # seconds left, by the reference, at time $since
RANDOM=1901
for round in $(seq "$kills"); do
    # The clock counts on while it is down, and saves what it resumed with on Continue.
    [[ $round -gt 1 ]] && left=$(calc "$left - ($(now) - $since)")
    start_clock "$binary"
    until_true 30 eval '[[ $(active) == "$window" ]]' || fail "round $round: no keyboard"
    continued=$(now)
    xdotool key c
    until_true 30 eval '[[ $(calc "$(state_field savedAt)+0 >= $continued * 1000") == 1.000 ]]' ||
        fail "round $round: Continue saved nothing"
    [[ "$(state_field season) $(state_field year)" == "${phases[phase % 2]} $((1901 + phase / 2))" ]] ||
        fail "round $round: $(cat "$state"), not phase $phase"
    seconds=$(state_field secondsLeft)
    [[ $(calc "($seconds - $left) ^ 2 < 1") == 1.000 ]] || fail "round $round: $seconds s left, the reference says $left"
    # From here the reference follows the clock's own figure, so errors do not add up.
    left=$seconds
    since=$continued
    case $((RANDOM % 3)) in
    0) xdotool key Up; left=$(calc "$left + 60") ;;
    1) xdotool key ctrl+Right; phase=$((phase + 1)); left=600; since=$(now) ;;
    esac
    sleep "$(calc "0.4 + ($RANDOM % 1600) / 1000")"
    kill -9 "$app_pid"; wait "$app_pid" 2> /dev/null || true
done
echo "1 passed, 0 failed"
