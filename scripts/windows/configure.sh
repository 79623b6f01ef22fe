#!/usr/bin/env bash
# Configures the Windows cross-build of Velmora in build-windows/build:
#   configure.sh LIBRARY_PREFIX [CMAKE ARGUMENTS...]
# Shared by scripts/package-windows.sh (tests off) and scripts/test-windows.sh
# (tests on): one build folder, so the programs are built once. Makes the
# Wine prefix the build runs its programs in (build-windows/wine) and the
# manual (a native build in build-windows/native) first.
set -euo pipefail
cd "$(dirname "$0")/../.."
prefix="$1"
shift
output="$PWD/build-windows"
wine_prefix="$output/wine"
emulator="$PWD/scripts/windows/wine-run.sh"

if [ ! -f "$wine_prefix/system.reg" ]; then
    echo "Making the Wine prefix $wine_prefix" >&2
    bash "$emulator" "$prefix" "$wine_prefix" wineboot.exe --init >&2 || true
    WINEPREFIX="$wine_prefix" /usr/lib/wine/wineserver64 -w
fi

# The manual comes from a native build of its maker (Debian's Qt): under Wine
# the offscreen platform it draws on finds no fonts.
native="$output/native"
cmake -S . -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DVELMORA_BUILD_TESTS=OFF -DVELMORA_BUILD_BENCH=OFF >&2
cmake --build "$native" --parallel "$(nproc)" --target velmora-manual >&2

export PKG_CONFIG_LIBDIR="$prefix/lib/pkgconfig"
cmake -S . -B "$output/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" -DVELMORA_WINDOWS_PREFIX="$prefix" \
    -DCMAKE_PREFIX_PATH="$prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$emulator;$prefix;$wine_prefix" \
    -DVELMORA_MANUAL_FROM="$native/src/app/velmora/软件说明书.pdf" \
    -DVELMORA_BUILD_BENCH=OFF "$@" >&2
