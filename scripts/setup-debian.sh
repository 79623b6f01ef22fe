#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Velmora need.
# Quick when everything is there already: apt is only asked for what is missing.
# Further package names given as arguments are installed the same way (the
# packaging and fuzzing scripts name the tools they need).
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev libqcustomplot-dev
    libzip-dev zlib1g-dev libpng-dev libjpeg62-turbo-dev libqrencode-dev
    libeigen3-dev libboost-math-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-wqy-zenhei fonts-liberation2 fonts-arphic-uming qt6-translations-l10n
    "$@"
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "Installing: ${missing[*]}" >&2
    $sudo apt-get update -q >&2
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}" >&2
fi
