#!/usr/bin/env bash
# Sets up, builds (release, with Debian's hardening flags, in build-package)
# and makes the Debian package build-package/velmora_VERSION_ARCH.deb; then
# checks it with lintian and the desktop-entry and AppStream validators.
# Install it with: apt install ./build-package/velmora_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup-debian.sh dpkg-dev file lintian desktop-file-utils appstream
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DVELMORA_BUILD_TESTS=OFF -DVELMORA_BUILD_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >&2
cmake --build build-package --target package >&2

deb=$(ls build-package/velmora_*.deb)
desktop-file-validate resources/desktop/com.example.Velmora.desktop
# --no-net: the homepage is not fetched (the build machine may be offline).
appstreamcli validate --no-net build-package/packaging/com.example.Velmora.metainfo.xml >&2
lintian --fail-on error "$deb" >&2
echo "$deb"
