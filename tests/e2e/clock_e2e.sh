#!/usr/bin/env bash
# Drives the real clock in a real X server: real key presses, screenshots of the countdown.
# Usage: clock_e2e.sh PATH_TO_MervaneTimer
set -euo pipefail
binary=$1
work=$(mktemp -d)
app_pid=""
xvfb_pid=""
cleanup() {
    [[ -n "$app_pid" ]] && kill "$app_pid" 2>/dev/null || true
    [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null || true
    [[ -n "${KEEP_SHOTS:-}" ]] || rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Without any display the clock says so in one line and exits with 1.
set +e
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$binary" 2> "$work/nodisplay.err"
status=$?
set -e
[[ $status -eq 1 ]] || fail "no display: exit status $status"
[[ $(wc -l < "$work/nodisplay.err") -eq 1 ]] || fail "no display: $(cat "$work/nodisplay.err")"
grep -q "cannot open a display" "$work/nodisplay.err" || fail "no display: unclear message"

exec 3> "$work/display"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp > "$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do [[ -s "$work/display" ]] && break; sleep 0.1; done
export DISPLAY=":$(head -1 "$work/display")"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

export XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_CONFIG_HOME/Corvelworks"
printf '[General]\ndefaults.springMinutes=10\ndefaults.marquisText=End to end\n' \
    > "$XDG_CONFIG_HOME/Corvelworks/MervaneTimer.conf"

"$binary" > "$work/app.log" 2>&1 &
app_pid=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^MervaneTimer$' | head -1)
[[ -n "$window" ]] || fail "no window"
xdotool windowfocus --sync "$window"

# A screenshot of the middle band of the window, where the countdown is; the banner below
# moves all the time and is left out.
countdown() {
    local file
    file=$(mktemp -p "$work" shotXXXX.png)
    import -window "$window" -gravity center -crop 100%x40%+0+0 +repage "$file"
    echo "$file"
}
differ() { # first second: true when the two pictures differ in more than a few pixels
    local pixels
    pixels=$(compare -metric AE "$1" "$2" null: 2>&1 || true)
    [[ ${pixels%% *} -gt 20 ]]
}
press() { xdotool key "$1"; sleep 0.3; }

paused=$(countdown)
sleep 1.2
differ "$paused" "$(countdown)" && fail "the clock ran before Continue"

press c
running=$(countdown)
sleep 1.2
differ "$running" "$(countdown)" || fail "Continue did not make the clock run"

press p
stopped=$(countdown)
sleep 1.2
differ "$stopped" "$(countdown)" && fail "Pause did not stop the clock"

press Up
differ "$stopped" "$(countdown)" || fail "a nudge did not change the time"

# Full screen: a second window of the same title covering the whole screen.
screen_window() {
    local id
    for id in $(xdotool search --onlyvisible --name '^MervaneTimer$'); do
        xdotool getwindowgeometry "$id" | grep -q 'Geometry: 1280x800' && echo "$id"
    done
    true
}
press F11
sleep 0.5
full=$(screen_window)
[[ -n "$full" ]] || fail "F11 did not cover the screen"
before=$(import -window "$full" -gravity center -crop 100%x40%+0+0 +repage "$work/full1.png"; echo "$work/full1.png")
press Down
import -window "$full" -gravity center -crop 100%x40%+0+0 +repage "$work/full2.png"
differ "$before" "$work/full2.png" || fail "a shortcut did nothing in full screen"
press F11
sleep 0.5
[[ -z "$(screen_window)" ]] || fail "F11 did not leave full screen"
xdotool windowfocus --sync "$window"
press F11
sleep 0.5
[[ -n "$(screen_window)" ]] || fail "F11 did not go to full screen again"
press Escape
sleep 0.5
[[ -z "$(screen_window)" ]] || fail "Escape did not leave full screen"
xdotool windowfocus --sync "$window"

press ctrl+q
for _ in $(seq 50); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
set +e
wait "$app_pid"
status=$?
set -e
app_pid=""
[[ $status -eq 0 ]] || fail "closing the window: exit status $status"
echo "1 passed, 0 failed"
