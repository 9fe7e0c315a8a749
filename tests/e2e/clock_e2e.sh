#!/usr/bin/env bash
# Drives the real clock in a real X server under a real window manager (openbox) with the
# keys an operator would press, and reads what happens from the screen and the X server.
# Nothing here moves the focus or the windows by hand: what the operator does is all it does.
# Usage: clock_e2e.sh PATH_TO_MervaneTimer
binary=$1
source "$(dirname "$0")/lib.sh"

# Without a display, or with one that is not there, the clock says so in one line and exits 1.
no_display() {
    local status
    set +e
    "$@" "$binary" 2> "$work/nodisplay.err"
    status=$?
    set -e
    [[ $status -eq 1 ]] || fail "no display ($*): exit status $status"
    [[ $(wc -l < "$work/nodisplay.err") -eq 1 ]] || fail "no display: $(cat "$work/nodisplay.err")"
    grep -q "cannot open a display" "$work/nodisplay.err" || fail "no display: unclear message"
}
no_display env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM
no_display env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:1999

start_x
viewer_port=$(shuf -i 20000-60000 -n 1)
prefs defaults.springMinutes=10 "defaults.marquisText=End to end" viewer.enabled=1 \
    viewer.address=127.0.0.1 "viewer.port=$viewer_port"
start_clock "$binary"

# Window ids from bottom to top, as the window manager stacks them.
stacking() { xprop -root _NET_CLIENT_LIST_STACKING | cut -d'#' -f2 | tr ',' '\n' | xargs -n1 printf '%d\n'; }
above() { # first second: true when the first is stacked above the second
    local order
    order=$(stacking)
    [[ $(grep -nx "$1" <<< "$order" | cut -d: -f1) -gt $(grep -nx "$2" <<< "$order" | cut -d: -f1) ]]
}
until_true 30 eval '[[ $(active) == "$window" ]]' || fail "the clock's window did not get the keyboard when it opened"

running() { # window: true when its countdown changes within a second
    local before
    before=$(shot "$1")
    sleep 1.2
    differ "$before" "$(shot "$1")"
}

running "$window" && fail "the clock ran before Continue"
press c
running "$window" || fail "C did not make the clock run"
press space
running "$window" && fail "Space did not pause a running clock"
press space
running "$window" || fail "Space did not continue a paused clock"
press p
running "$window" && fail "P did not pause the clock"
paused=$(shot "$window")
press Up
differ "$paused" "$(shot "$window")" || fail "a nudge did not change the time"
frame=$(xdotool getwindowgeometry "$window" | tail -2)

# Full screen: a second window of the same title covering the whole screen.
press F11
sleep 0.5
full=$(screen_window)
[[ -n "$full" ]] || fail "F11 did not cover the screen"
[[ $(active) == "$full" ]] || fail "the full-screen window does not have the keyboard"
before=$(shot "$full")
press Down
differ "$before" "$(shot "$full")" || fail "a shortcut did nothing in full screen"

# The preferences open above the full-screen clock with the keyboard, and give it back.
press ctrl+comma
prefs=$(timeout 10 xdotool search --sync --onlyvisible --name '^MervaneTimer Preferences$' | head -1)
[[ -n "$prefs" ]] || fail "Ctrl+, opened no preferences window"
sleep 0.5
above "$prefs" "$full" || fail "the preferences window opened behind the full-screen clock"
[[ $(active) == "$prefs" ]] || fail "the preferences window does not have the keyboard"
press Escape
sleep 0.5
[[ -z "$(xdotool search --onlyvisible --name '^MervaneTimer Preferences$')" ]] ||
    fail "Escape did not close the preferences window"
[[ $(active) == "$full" ]] || fail "closing the preferences did not give the keyboard back"
press c
running "$full" || fail "C did not reach the clock after the preferences closed"
grep -q 'marquisText=End to end$' "$conf" ||
    fail "keys meant for the clock changed the banner text"

# Closing the full-screen window through the window manager brings the display home.
press alt+F4
sleep 0.5
[[ -z "$(screen_window)" ]] || fail "Alt+F4 did not leave full screen"
[[ $(xdotool getwindowgeometry "$window" | tail -2) == "$frame" ]] ||
    fail "the main window did not get its frame back"
has_ink "$(shot "$window")" || fail "the main window is empty after Alt+F4 in full screen"
running "$window" || fail "the clock stopped when full screen was closed"
press F11
sleep 0.5
[[ -n "$(screen_window)" ]] || fail "F11 did not go to full screen again"
press Escape
sleep 0.5
[[ -z "$(screen_window)" ]] || fail "Escape did not leave full screen"
[[ $(active) == "$window" ]] || fail "leaving full screen did not give the main window the keyboard"

# Ctrl+L puts the viewer address on the display as a QR code that a phone can scan, and
# that address serves the viewer page; pressed again, the clock is back.
press ctrl+l
address=$(zbarimg --raw -q "$(shot "$window" 100%x100%)" | tr -d '\n' || true)
[[ "$address" == "http://127.0.0.1:$viewer_port/" ]] || fail "Ctrl+L showed no readable address: '$address'"
# The page is read whole first: grep -q leaving a pipe early would fail curl's write.
grep -q '<title>MervaneTimer</title>' <<< "$(curl -fsS --max-time 5 "$address")" ||
    fail "the address shown does not serve the viewer page"
press ctrl+l
zbarimg --raw -q "$(shot "$window" 100%x100%)" > /dev/null && fail "a second Ctrl+L left the code up"
running "$window" || fail "the clock stopped behind the viewer address"

press ctrl+q
until_true 50 eval '! kill -0 "$app_pid" 2> /dev/null' || true
set +e
wait "$app_pid"
status=$?
set -e
[[ $status -eq 0 ]] || fail "closing the window: exit status $status"
echo "1 passed, 0 failed"
