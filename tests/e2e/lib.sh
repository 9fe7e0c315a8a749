# SPDX-License-Identifier: GPL-3.0-or-later
# The end-to-end scripts' kit, sourced before start_x: a private X server under openbox, the clock
# on a preferences file of the test's own, keys, screenshots and waits that all give up in time.
set -euo pipefail
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2> /dev/null || true; done
    # A browser's helpers may still write into its folder for a moment after it is killed.
    [[ -n "${KEEP_SHOTS:-}" ]] || rm -rf "$work" 2> /dev/null || true
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
# until TENTHS COMMAND...: true once COMMAND succeeds, false after TENTHS tenths of a second.
until_true() {
    for _ in $(seq "$1"); do "${@:2}" && return 0; sleep 0.1; done
    return 1
}
now() { date +%s.%N; }
calc() { awk "BEGIN { printf \"%.3f\", ($1) }"; }

export XDG_CONFIG_HOME="$work/config"
conf="$XDG_CONFIG_HOME/Corvelworks/MervaneTimer.conf"
state="$XDG_CONFIG_HOME/Corvelworks/MervaneTimer.state"
# prefs LINE...: the preferences file the clock starts with.
prefs() { mkdir -p "$(dirname "$conf")"; printf '%s\n' '[General]' "$@" > "$conf"; }

active() { xprop -root _NET_ACTIVE_WINDOW | awk '/window id/ {printf "%d", $NF}'; }
# start_x [WIDTHxHEIGHT]: a virtual X server with openbox managing it.
start_x() {
    screen=${1:-1280x800}
    exec 3> "$work/display"
    Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp > "$work/xvfb.log" 2>&1 & pids+=($!)
    until_true 50 test -s "$work/display" || fail "Xvfb did not start"
    export DISPLAY=":$(head -1 "$work/display")"
    unset QT_QPA_PLATFORM WAYLAND_DISPLAY
    openbox > "$work/openbox.log" 2>&1 & pids+=($!)
    # Openbox names its check window once it manages the screen.
    until_true 50 eval '[[ $(xprop -root _NET_SUPPORTING_WM_CHECK 2>&1) == *"window id"* ]]' ||
        fail "openbox did not start"
}
# start_clock BINARY [ARGS...]: sets app_pid and window (the main window's id).
start_clock() {
    "$@" > "$work/app.log" 2>&1 & app_pid=$!
    pids+=("$app_pid")
    window=$(timeout 20 xdotool search --sync --onlyvisible --name '^MervaneTimer$' | head -1)
    [[ -n "$window" ]] || fail "no window: $(cat "$work/app.log")"
}

# start_browser URL [OPTIONS...]: Chromium in a kiosk window filling the screen, free to sound
# without a tap, on a profile of the test's own.
start_browser() {
    chromium --no-sandbox --disable-gpu --no-first-run --disable-background-networking \
        --disable-component-update --disable-sync --user-data-dir="$work/browser" --kiosk \
        --autoplay-policy=no-user-gesture-required --window-position=0,0 \
        --window-size="${screen/x/,}" "${@:2}" "$1" > "$work/browser.log" 2>&1 & pids+=($!)
}
# guest_on PORT: a connection to PORT here is open (a page's, once its browser asks for it).
guest_on() { awk -v p="$(printf ':%04X' "$1")" '$4 == "01" && substr($2, 9) == p { on = 1 }
    END { exit !on }' /proc/net/tcp; }
press() { xdotool key "$1"; sleep 0.3; }
# shot WINDOW [CROP]: a picture of the window's middle band, where the countdown is (the
# banner below moves all the time), or of the share of it given.
shot() {
    local file
    file=$(mktemp -p "$work" shotXXXX.png)
    import -window "$1" -gravity center -crop "${2:-100%x40%}+0+0" +repage "$file"
    echo "$file"
}
# ocr PICTURE: its text; OCR reads letters best a few dozen pixels high, not room-sized.
ocr() {
    convert "$1" -resize 500x "$work/ocr.png"
    tesseract "$work/ocr.png" stdout --psm 11 2> /dev/null | tr -s ' \n' ' '
}
# The clock's window that covers the whole screen, if there is one.
screen_window() {
    local id
    for id in $(xdotool search --onlyvisible --name '^MervaneTimer$'); do
        [[ $(xdotool getwindowgeometry "$id") != *"Geometry: $screen"* ]] || echo "$id"
    done
}
# One field of the kept game: state_field NAME (season, year, secondsLeft, savedAt...).
state_field() { sed -n "s/.*\"$1\":\"\{0,1\}\([^,\"}]*\).*/\1/p" "$state" 2> /dev/null || true; }
