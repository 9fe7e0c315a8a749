#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The translations' sources, translations/mervanetimer_<language>.ts, held to the code:
#   scripts/translations.sh update [language...]   gathers every text a person sees into them;
#                                                  a language named here gets a file of its own
#   scripts/translations.sh check                  fails when a file misses a text of the code,
#                                                  keeps one the code dropped, or leaves one
#                                                  untranslated
set -euo pipefail
shopt -s nullglob
root=$(cd "$(dirname "$0")/.." && pwd)
lupdate=${LUPDATE:-/usr/lib/qt6/bin/lupdate}
gather() {
    (cd "$root" && "$lupdate" -silent -locations none -no-obsolete -source-language en \
        -extensions cpp,h,ui app audio clock display net preferences settings state resources \
        -ts "$@")
}

case ${1:-} in
update)
    shift
    files=("$root"/translations/mervanetimer_*.ts)
    for language in "$@"; do files+=("$root/translations/mervanetimer_$language.ts"); done
    gather "${files[@]}"
    ;;
check)
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    cp "$root"/translations/mervanetimer_*.ts "$work"/
    gather "$work"/*.ts
    status=0
    for ts in "$root"/translations/mervanetimer_*.ts; do
        name=$(basename "$ts")
        cmp -s "$ts" "$work/$name" ||
            { echo "$name: not up to date with the code; run scripts/translations.sh update"; status=1; }
        untranslated=$(grep -c 'type="unfinished"' "$ts" || true)
        ((untranslated == 0)) || { echo "$name: $untranslated texts not translated"; status=1; }
    done
    exit $status
    ;;
*)
    echo "usage: $0 update [language...] | check" >&2
    exit 2
    ;;
esac
