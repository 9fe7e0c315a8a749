#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# For tst_pagecue: the real clock paused at 0:12.4, its cues to the sink "cues", its page in
# Chromium on the default sink. Presses C, then Right 7.6 s later, saying "pressed" after each.
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
sleep 5
for key in c Right; do
    xdotool windowactivate --sync "$window" key "$key"
    echo pressed
    sleep 7.6
done
read -r || true # until the test is done
