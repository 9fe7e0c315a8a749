#!/usr/bin/env bash
# The viewer page in a real browser (Chromium in a kiosk window), served by the real clock and
# read off the screen by OCR, with the PIN bar shown: it shows the clock's phase and second,
# then says when the clock is gone.
# Usage: viewerpage_e2e.sh PATH_TO_MervaneTimer
binary=$1
source "$(dirname "$0")/lib.sh"
start_x 1000x600
port=$(shuf -i 20000-60000 -n 1)
prefs viewer.enabled=1 viewer.address=127.0.0.1 "viewer.port=$port" viewer.pin=1357 \
    "defaults.marquisText=Board 3"
start_clock "$binary"
press c
# The time left at a moment, from what the clock saved last (read once: it is saved anew
# every 3 s).
clock_at() { # EPOCH_SECONDS
    local state=$work/kept
    cp "$XDG_CONFIG_HOME/Corvelworks/MervaneTimer.state" "$state"
    calc "$(state_field secondsLeft) - ($1 * 1000 - $(state_field savedAt)) / 1000"
}
start_browser "http://127.0.0.1:$port/"
sleep 5 # started, loaded, connected, a few seconds counted

before=$(clock_at "$(now)")
import -window root "$work/page.png"
after=$(clock_at "$(now)")
page=$(ocr "$work/page.png")
[[ "$page" == *"Spring 1901"* ]] || fail "no phase on the page: $page"
[[ "$page" =~ ([0-9]+):([0-9][0-9]) ]] || fail "no time on the page: $page"
shown=$((10#${BASH_REMATCH[1]} * 60 + 10#${BASH_REMATCH[2]}))
# Within a second of the clock while the screenshot was taken.
awk "BEGIN { exit !($shown > $after - 1 && $shown < $before + 1) }" ||
    fail "the page shows $shown s, the clock had $before to $after s"

kill -9 "$app_pid"
sleep 4.5 # 3 s of silence, and the check that follows a second later
import -window root "$work/lost.png"
lost=$(ocr "$work/lost.png")
[[ "$lost" == *"connection lost"* ]] || fail "the page did not say the connection was lost: $lost"
echo "1 passed, 0 failed"
