#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# For tst_pagecue: the clock paused at 0:12.4 plays to the sink "cues", its page in Chromium to
# the default. Keys: C, Right at 0:04.8 (+10 s), Space at 0:05.8 and 3 s later; the page's sound
# off by its keys, a reload, and the clock's B. Says "pressed" after each key the clock takes.
binary=$1
source "$(dirname "$0")/lib.sh"
start_x 1000x600
port=$(shuf -i 20000-60000 -n 1)
prefs viewer.enabled=1 viewer.address=127.0.0.1 "viewer.port=$port" audio.device=cues
printf '{"season":"Spring","year":1901,"orders":false,"secondsLeft":12.4,"running":false,"savedAt":%s}' \
    "$(date +%s%3N)" > "$state"
start_clock "$binary"
# An output 85 ms slow, as a phone's may be: the page must start each cue that much ahead.
start_browser "http://127.0.0.1:$port/" --audio-buffer-size=4096
until_true 300 guest_on "$port" || fail "the page never asked for the clock"
sleep 3 # loaded, connected, its cues fetched and decoded
for step in c:7.6 Right:9 space:3 space:8; do
    xdotool windowactivate --sync "$window" key "${step%:*}"
    echo pressed
    sleep "${step#*:}"
done
page=$(xdotool search --onlyvisible --class chromium | tail -1)
xdotool windowactivate --sync "$page" key Tab space sleep 1 key F5 sleep 4
xdotool windowactivate --sync "$window" key b
echo pressed
read -r || true # until the test is done
