# shellcheck shell=bash
# Sourced by the end-to-end scripts: a scratch folder, fail(), and start_x, a virtual X server
# (1280x800) managed by openbox with a configuration folder of its own for the clock. Whatever
# is started with its id in `pids` is stopped at exit.
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2> /dev/null || true; done
    [[ -n "${KEEP_SHOTS:-}" ]] || rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

start_x() {
    exec 3> "$work/display"
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp > "$work/xvfb.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 50); do [[ -s "$work/display" ]] && break; sleep 0.1; done
    DISPLAY=":$(head -1 "$work/display")"
    export DISPLAY
    unset QT_QPA_PLATFORM WAYLAND_DISPLAY
    export XDG_CONFIG_HOME="$work/config"
    mkdir -p "$XDG_CONFIG_HOME/Corvelworks"
    openbox > "$work/openbox.log" 2>&1 &
    pids+=($!)
    # Openbox names the active window (none yet) once it manages the screen.
    for _ in $(seq 50); do
        xprop -root _NET_ACTIVE_WINDOW 2> /dev/null | grep -q "window id" && break
        sleep 0.1
    done
}

# The clock's window that covers the whole screen, if there is one.
screen_window() {
    local id
    for id in $(xdotool search --onlyvisible --name '^MervaneTimer$'); do
        xdotool getwindowgeometry "$id" | grep -q 'Geometry: 1280x800' && echo "$id"
    done
    true
}
active() { xprop -root _NET_ACTIVE_WINDOW | awk '/window id/ {printf "%d", $NF}'; }

# One field of the kept game: state_field FILE NAME (season, year, secondsLeft...).
state_field() { sed -n "s/.*\"$2\":\"\\{0,1\\}\\([^,\"}]*\\).*/\\1/p" "$1" 2> /dev/null || true; }
