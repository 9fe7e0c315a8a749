#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the Debian package, build/package/mervanetimer_VERSION_ARCH.deb, from the default
# build (configured here when there is none yet), building only what the package holds.
set -euo pipefail
cd "$(dirname "$0")/.."
[[ -f build/default/CMakeCache.txt ]] || cmake --preset default > /dev/null
cmake --build build/default -j "$(nproc)" --target MervaneTimer installed_files
cpack --config build/default/CPackConfig.cmake -B build/package > /dev/null
ls build/package/*.deb
