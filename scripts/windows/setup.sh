#!/usr/bin/env bash
# The Debian packages the Windows build needs, and Debian's source packages
# made reachable: a deb-src entry for bookworm main beside the system's
# own entry (same address, same keyring) when apt has none yet.
set -euo pipefail
cd "$(dirname "$0")/../.."

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

# The archive's address and keyring as the system's own entry names them.
debian_archive_entry() {
    local file=/etc/apt/sources.list.d/debian.sources
    if [ -f "$file" ]; then
        local uri keyring
        uri="$(sed -n 's/^URIs: *//p' "$file" | head -1 | cut -d' ' -f1)"
        keyring="$(sed -n 's/^Signed-By: *//p' "$file" | head -1)"
        printf 'Types: deb-src\nURIs: %s\nSuites: bookworm bookworm-updates\nComponents: main\n' "$uri"
        [ -n "$keyring" ] && printf 'Signed-By: %s\n' "$keyring"
    else
        local uri
        uri="$(grep -hE '^deb +(\[[^]]*\] +)?[a-z]+://' /etc/apt/sources.list | head -1 |
               sed -E 's/^deb +(\[[^]]*\] +)?([^ ]+).*/\2/')"
        printf 'Types: deb-src\nURIs: %s\nSuites: bookworm bookworm-updates\nComponents: main\n' "$uri"
        printf 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg\n'
    fi
}

if ! apt-cache showsrc qt6-base 2>/dev/null | grep -q '^Version:'; then
    echo "Adding Debian's source packages to apt" >&2
    debian_archive_entry | $sudo tee /etc/apt/sources.list.d/debian-src.sources >/dev/null
    $sudo apt-get update -q >&2
fi

# Debian's Qt gives the host tools (moc, rcc, uic) and Qt's Chinese texts;
# Wine runs the tests and the manual's maker; NSIS makes the installer.
bash scripts/setup-debian.sh \
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
    mingw-w64-tools libz-mingw-w64-dev \
    wine wine64 nsis zip unzip dpkg-dev perl xvfb xauth imagemagick xdotool
