#!/usr/bin/env bash
# The real clock under openbox in a real X server, driven only by the keys an operator would
# press (nothing moves the focus or the windows by hand), read from the screen and the X server.
# Usage: clock_e2e.sh PATH_TO_MervaneTimer
binary=$1
source "$(dirname "$0")/lib.sh"
start_x
viewer_port=$(shuf -i 20000-60000 -n 1)
prefs defaults.springMinutes=10 "defaults.marquisText=End to end" viewer.enabled=1 \
    viewer.address=127.0.0.1 "viewer.port=$viewer_port"
start_clock "$binary"

soon() { until_true 30 eval "$1" || fail "$2"; } # condition message: fails unless within 3 s
running() { # window: "runs" when its countdown changes within a second, else "stops"
    local before
    before=$(shot "$1")
    sleep 1.2
    differ "$before" "$(shot "$1")" && echo runs || echo stops
}
above() { # first second: true when the window manager stacks the first above the second
    [[ "$(xprop -root _NET_CLIENT_LIST_STACKING)," == *" $(printf '0x%x' "$2"),"*" $(printf '0x%x' "$1"),"* ]]
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
soon 'prefs=$(preferences); [[ -n "$prefs" && $(active) == "$prefs" ]] && above "$prefs" "$full"' \
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

# Ctrl+L shows the viewer's address as a QR code a phone can scan; pressed again, the clock.
qr() { zbarimg --raw -q "$(shot "$window" 100%x100%)" | tr -d '\n'; }
press ctrl+l
soon '[[ $(qr) == "http://127.0.0.1:$viewer_port/" ]]' "Ctrl+L showed no readable viewer address"
press ctrl+l
soon '[[ -z $(qr) ]]' "a second Ctrl+L left the code up"
[[ $(running "$window") == runs ]] || fail "the clock stopped behind the viewer address"

press ctrl+q
until_true 50 eval '! kill -0 "$app_pid" 2> /dev/null' || fail "Ctrl+Q did not close the clock"
wait "$app_pid" || fail "closing the window: exit status $?"
echo "1 passed, 0 failed"
