#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the clock if needed and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default > /dev/null
cmake --build --preset default -j "$(nproc)" --target MervaneTimer
exec build/default/app/MervaneTimer "$@"
