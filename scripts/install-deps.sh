#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian 12 packages that building, running and testing the clock need,
# asking apt only for those that are missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config clang libclang-rt-14-dev
    qt6-base-dev qt6-websockets-dev qt6-l10n-tools qt6-tools-dev qt6-translations-l10n
    libqrencode-dev libgl-dev
    fonts-beteckna fonts-dejavu-core
    xvfb xauth xdotool imagemagick openbox x11-utils zbar-tools curl
    libpulse-dev pulseaudio pulseaudio-utils pipewire pipewire-pulse wireplumber dbus
    chromium nodejs tesseract-ocr tesseract-ocr-eng
    librsvg2-bin dpkg-dev lintian desktop-file-utils appstream
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
