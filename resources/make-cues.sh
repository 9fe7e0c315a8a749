#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Records the cue sounds from Debian's espeak-ng and sox. The cue for n seconds left is
# sounds/<n>s.wav; the one for zero is a three-note horn that marks the end of a phase.
# Needs: apt-get install espeak-ng sox
set -euo pipefail
cd "$(dirname "$0")/sounds"

rate=22050
speak() { # file words...
    local file=$1
    shift
    espeak-ng -v en-gb -s 150 -a 180 -w "$file.raw.wav" "$*"
    # Mono, one rate, no leading silence, a short fade at both ends against clicks, -1 dBFS.
    sox "$file.raw.wav" -r "$rate" -c 1 -b 16 "$file.trim.wav" \
        silence 1 0.01 0.5% reverse silence 1 0.01 0.5% reverse
    sox "$file.trim.wav" "$file" fade t 0.005 -0 0.02 norm -1
    rm "$file.raw.wav" "$file.trim.wav"
}

speak 60s.wav "one minute"
speak 30s.wav "thirty seconds"
words=(zero one two three four five six seven eight nine ten)
for n in $(seq 1 10); do
    speak "${n}s.wav" "${words[$n]}"
done

note() { # file seconds frequencies...
    local file=$1 length=$2
    shift 2
    sox -n -r "$rate" -c 1 -b 16 "$file" synth "$length" square "$1" square "$2" \
        fade t 0.005 -0 0.05
}
note horn1.wav 0.3 523.25 659.25
note horn2.wav 0.3 659.25 783.99
note horn3.wav 0.9 523.25 1046.5
sox horn1.wav horn2.wav horn3.wav 0s.wav norm -1
rm horn1.wav horn2.wav horn3.wav
