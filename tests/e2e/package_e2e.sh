#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The clock as a referee installs and starts it: its command line, through the real program,
# in the system's language, and, given the source folder, the Debian package that
# scripts/package.sh makes.
# Usage: package_e2e.sh PATH_TO_MervaneTimer VERSION [SOURCE_DIR]
binary=$1 version=$2 source_dir=${3:-}
source "$(dirname "$0")/lib.sh"

# Without a display. Each case: exit status | what it prints (a pattern, \n a line break; one
# line when the status is 1) | env's arguments | the clock's arguments.
cases=(
    "0|Usage: *--full-screen*--new-game*|-u DISPLAY|--help"
    "0|*--full-screen*plein écran*|-u DISPLAY LANGUAGE=fr LANG=fr_FR.UTF-8|--help"
    "0|MervaneTimer $version|-u DISPLAY|-geometry 1280x720+0+0 --version"
    "2|MervaneTimer: Unknown option 'bogus'.\nUsage: *|-u DISPLAY|--full-screen --bogus"
    "2|MervaneTimer: Unexpected argument 'now'.\nUsage: *|-u DISPLAY|--new-game now"
    "1|MervaneTimer: cannot open a display;*xvfb-run MervaneTimer|-u DISPLAY|"
    "1|MervaneTimer: cannot open a display;*xvfb-run MervaneTimer|DISPLAY=:1999|--full-screen"
)
for row in "${cases[@]}"; do
    IFS='|' read -r expected printed environment arguments <<< "$row"
    printf -v printed '%b' "$printed"
    status=0
    # shellcheck disable=SC2086 # each column holds words
    env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM $environment "$binary" $arguments \
        > "$work/out" 2>&1 || status=$?
    [[ $status == "$expected" ]] || fail "'$arguments': exit status $status, not $expected"
    # shellcheck disable=SC2053 # a pattern
    [[ $(< "$work/out") == $printed && ($expected != 1 || $(wc -l < "$work/out") == 1) ]] ||
        fail "'$arguments' printed: $(< "$work/out")"
done

# In a real X server: full screen from the start, and a new game with the kept one set aside.
start_x
kept='{"season":"Fall","year":1905,"orders":false,"secondsLeft":42,"running":false,"savedAt":0}'
prefs && echo "$kept" > "$state"
start_clock "$binary" --full-screen --new-game
until_true 30 eval '[[ -n $(screen_window) && $(active) == "$(screen_window)" ]]' ||
    fail "--full-screen: no window covers the screen with the keyboard"
xdotool key c
until_true 30 eval '[[ "$(state_field season) $(state_field year)" == "Spring 1901" ]]' ||
    fail "--new-game resumed the kept game: $(cat "$state")"
[[ $(< "$state.previous") == "$kept" ]] || fail "--new-game did not keep the game as .previous"

# In French, then Italian, from the system's language: the hall's phase, and the page's phase and
# sound button in a browser that prefers English (its small letters enlarged, its grey gone).
kill "$app_pid" && wait "$app_pid" || true
port=$(shuf -i 20000-60000 -n 1)
prefs viewer.enabled=1 viewer.address=127.0.0.1 "viewer.port=$port" "defaults.marquisText= "
controls() {
    import -window root -gravity southeast -crop 30%x8%+0+0 "$work/row.png"
    convert "$work/row.png" -resize 300% -threshold 50% "$work/row.png"
    tesseract "$work/row.png" stdout --psm 11 2> /dev/null | tr -s ' \n' ' '
}
for run in "fr_FR Son Printemps 1901" "it_IT Audio Primavera 1901"; do
    read -r locale sound phase <<< "$run"
    LANGUAGE=${locale%_*} LANG=$locale.UTF-8 start_clock "$binary"
    until_true 50 eval '[[ $(ocr "$(shot "$window" 100%x100%)") == *"$phase"* ]]' ||
        fail "$locale: the hall does not read $phase: $(ocr "$(shot "$window" 100%x100%)")"
    xdotool windowminimize --sync "$window"
    [[ -n ${page:-} ]] || LANGUAGE=en LANG=en_US.UTF-8 start_browser "http://127.0.0.1:$port/" --lang=en-US
    page=open
    until_true 100 eval '[[ $(ocr "$(shot root 100%x100%)") == *"$phase"* && $(controls) == *"$sound"* ]]' ||
        fail "$locale: the page does not read $phase and $sound: $(ocr "$(shot root 100%x100%)") $(controls)"
    kill "$app_pid" && wait "$app_pid" || true
done

[[ -n "$source_dir" ]] || { echo "package: left to the default build"; echo "1 passed, 0 failed"; exit 0; }
"$source_dir/scripts/package.sh" > "$work/package.log" 2>&1 ||
    fail "package: $(tail -5 "$work/package.log")"
deb="$source_dir/build/package/mervanetimer_${version}_$(dpkg --print-architecture).deb"
[[ $(dpkg-deb -f "$deb" Depends) == *fonts-beteckna*libqt6widgets6* ]] ||
    fail "package: the font or the libraries are not among its dependencies"
dpkg-deb -x "$deb" "$work/root"
share="$work/root/usr/share"
# The program itself is run below, and lintian fails on a missing copyright.
for file in man/man1/MervaneTimer.1.gz icons/hicolor/scalable/apps/mervanetimer.svg \
    icons/hicolor/48x48/apps/mervanetimer.png mervanetimer/translations/mervanetimer_{de,es,fr,it,nl,pl}.qm; do
    [[ -s "$share/$file" ]] || fail "package: no $file"
done
desktop-file-validate "$share/applications/mervanetimer.desktop" || fail "package: menu entry"
appstreamcli validate --no-net "$share/metainfo/com.corvelworks.MervaneTimer.metainfo.xml" \
    > "$work/appstream.log" || fail "package: $(cat "$work/appstream.log")"
# Free to pass on: the licence stated for the package and for the software centre.
grep -qx 'License: GPL-3+' "$share/doc/mervanetimer/copyright" &&
    grep -q '<project_license>GPL-3.0-or-later<' "$share/metainfo/"*.metainfo.xml ||
    fail "package: the licence is not GPL-3.0-or-later in its copyright and listing"
[[ $(env -u LD_LIBRARY_PATH "$work/root/usr/bin/MervaneTimer" --version) == "MervaneTimer $version" ]] ||
    fail "package: the installed program does not say its version"
lintian --fail-on error "$deb" > "$work/lintian.log" 2>&1 ||
    fail "package: lintian: $(cat "$work/lintian.log")"
echo "1 passed, 0 failed"
