#!/usr/bin/env bash
# Installs the Debian 12 packages that building and testing Namori need, where missing.
# Runs apt-get as root, or through sudo for another user.
set -euo pipefail

packages=(
    g++ cmake ninja-build clang-format pkgconf nettle-dev libicu-dev
    libcli11-dev nlohmann-json3-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev qt6-svg-dev qt6-translations-l10n libcups2-dev
    fonts-ipafont-gothic fonts-ipafont-mincho
    poppler-utils chromium desktop-file-utils appstream dpkg-dev debhelper lintian file man-db debootstrap x11-utils
    cups cups-client printer-driver-cups-pdf xvfb xauth xdotool imagemagick
    ibus ibus-mozc dbus-x11 at-spi2-core gir1.2-atspi-2.0 python3-gi
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
echo "installing: ${missing[*]}"
"${as_root[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -q --no-install-recommends \
    "${missing[@]}"
