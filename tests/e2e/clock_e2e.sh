#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real clock under openbox in Xvfb, driven only by an operator's keys, read from the screen
# and the X server; then its viewer page in a real browser, read off the screen by OCR.
binary=$1
source "$(dirname "$0")/lib.sh"
start_x
viewer_port=$(shuf -i 20000-60000 -n 1)
prefs defaults.springMinutes=10 "defaults.marquisText=End to end" viewer.enabled=1 \
    viewer.address=127.0.0.1 "viewer.port=$viewer_port" viewer.pin=1357
start_clock "$binary"

soon() { until_true 30 eval "$1" || fail "$2"; } # condition message: fails unless within 3 s
running() { # window: "runs" when its countdown changes (20+ pixels) in a second, else "stops"
    local before
    before=$(shot "$1")
    sleep 1.2
    [[ $(compare -metric AE "$before" "$(shot "$1")" null: 2>&1 | cut -d' ' -f1) -gt 20 ]] && echo runs || echo stops
}
preferences() { xdotool search --onlyvisible --name '^MervaneTimer Preferences$' || true; }

soon '[[ $(active) == "$window" ]]' "the clock's window did not get the keyboard when it opened"
for step in -:stops c:runs space:stops space:runs p:stops; do
    [[ ${step%:*} == - ]] || press "${step%:*}"
    verdict=$(running "$window")
    [[ $verdict == "${step#*:}" ]] || fail "the clock $verdict after ${step%:*}"
done
frame=$(xdotool getwindowgeometry "$window" | tail -2)

press F11
soon 'full=$(screen_window); [[ -n "$full" && $(active) == "$full" ]]' \
    "F11 did not cover the screen with a window that has the keyboard"

press ctrl+comma
soon 'prefs=$(preferences); [[ -n "$prefs" && $(active) == "$prefs" &&
    "$(xprop -root _NET_CLIENT_LIST_STACKING)," == *" $(printf 0x%x "$full"),"*" $(printf 0x%x "$prefs"),"* ]]' \
    "Ctrl+, opened no preferences window above the full-screen clock with the keyboard"
press Escape
soon '[[ -z $(preferences) && $(active) == "$full" ]]' \
    "Escape did not close the preferences and give the clock the keyboard back"
press c
[[ $(running "$full") == runs ]] || fail "C did not reach the clock after the preferences closed"
grep -q 'marquisText=End to end$' "$conf" || fail "keys meant for the clock changed the banner text"

press alt+F4
soon '[[ -z $(screen_window) && $(xdotool getwindowgeometry "$window" | tail -2) == "$frame" ]]' \
    "Alt+F4 did not leave full screen with the main window's frame back"
[[ $(running "$window") == runs ]] || fail "the clock stopped when full screen was closed"
press F11
soon '[[ -n $(screen_window) ]]' "F11 did not go to full screen again"
press Escape
soon '[[ -z $(screen_window) && $(active) == "$window" ]]' \
    "Escape did not leave full screen and give the main window the keyboard"

qr() { zbarimg --raw -q "$(shot "$window" 100%x100%)" | tr -d '\n'; }
press ctrl+l
soon '[[ $(qr) == "http://127.0.0.1:$viewer_port/" ]]' "Ctrl+L showed no readable viewer address"
press ctrl+l
soon '[[ -z $(qr) ]]' "a second Ctrl+L left the code up"
[[ $(running "$window") == runs ]] || fail "the clock stopped behind the viewer address"

# The page, with the PIN bar shown, has the clock's phase and second while the screenshot was
# taken (the time left then, from the state saved last, read once: it is saved anew every 3 s).
clock_at() { # EPOCH_SECONDS
    local state=$work/kept
    cp "$XDG_CONFIG_HOME/Corvelworks/MervaneTimer.state" "$state"
    calc "$(state_field secondsLeft) - ($1 * 1000 - $(state_field savedAt)) / 1000"
}
start_browser "http://127.0.0.1:$viewer_port/"
until_true 300 guest_on "$viewer_port" || fail "the page never asked for the clock"
sleep 3 # loaded, connected, a few seconds counted
before=$(clock_at "$(now)")
import -window root "$work/page.png"
after=$(clock_at "$(now)")
page=$(ocr "$work/page.png")
[[ "$page" == *"Spring 1901"* ]] || fail "no phase on the page: $page"
[[ "$page" =~ ([0-9]+):([0-9][0-9]) ]] || fail "no time on the page: $page"
shown=$((10#${BASH_REMATCH[1]} * 60 + 10#${BASH_REMATCH[2]}))
awk "BEGIN { exit !($shown > $after - 1 && $shown < $before + 1) }" ||
    fail "the page shows $shown s, the clock had $before to $after s"
[[ "$page" == *"Fall 1901"* ]] || fail "the page names no next phase: $page"
# Nudged into its last two minutes, the hall and the page are in the warning stage together:
# the whole screen goes dark, which a greyscale picture tells.
grey() { convert "$(shot root 100%x100%)" -colorspace Gray -format '%[fx:int(100*mean)]' info:; }
[[ $(grey) -gt 60 ]] || fail "the screen is dark before the warning stage"
for minute in 1 2 3 4 5 6 7 8 9; do xdotool windowactivate --sync "$window" key Down; done
soon '[[ $(grey) -lt 25 ]]' "the hall and the page did not enter the warning stage together"
for minute in 1 2 3 4 5 6 7 8 9; do xdotool windowactivate --sync "$window" key Up; done
soon '[[ $(grey) -gt 60 ]]' "the hall and the page did not leave the warning stage together"

xdotool windowactivate --sync "$window" key ctrl+q
until_true 50 eval '! kill -0 "$app_pid" 2> /dev/null' || fail "Ctrl+Q did not close the clock"
wait "$app_pid" || fail "closing the window: exit status $?"
sleep 4.5 # the page says so at once, or after 3 s of silence and the check a second later
lost=$(ocr "$(shot root 100%x100%)")
[[ "$lost" == *"connection lost"* ]] || fail "the page did not say the connection was lost: $lost"
# Started again (its window out of the page's way), the clock has the page back: it tries again.
start_clock "$binary"
xdotool windowminimize "$window"
until_true 25 eval 'lost=$(ocr "$(shot root 100%x100%)"); [[ $lost != *lost* && $lost =~ [0-9]+:[0-9][0-9] ]]' ||
    fail "the page did not come back with the clock, a time shown and no connection lost: $lost"
echo "1 passed, 0 failed"
