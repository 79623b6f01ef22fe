#!/usr/bin/env bash
# Cross-builds Velmora for 64-bit Windows on Debian 12 and writes
#   build-windows/Velmora-VERSION-setup.exe     the installer (NSIS, 64-bit)
#   build-windows/Velmora-VERSION-portable.zip  the same files to unpack anywhere
# Qt and the libraries are cross-built once from Debian's source packages into
# $VELMORA_WINDOWS_CACHE (default /var/cache/velmora-windows) and reused while
# their Debian versions stay the same. Everything runs at the lowest priority.
set -euo pipefail
renice -n 19 $$ >/dev/null
cd "$(dirname "$0")/.."
started=$SECONDS
cache="${VELMORA_WINDOWS_CACHE:-/var/cache/velmora-windows}"
output="$PWD/build-windows"
build="$output/build"
version="$(sed -nE 's/^project\(Velmora VERSION ([0-9.]+).*/\1/p' CMakeLists.txt)"

bash scripts/windows/setup.sh
prefix="$(VELMORA_WINDOWS_CACHE="$cache" bash scripts/windows/dependencies.sh)"

bash scripts/windows/configure.sh "$prefix" -DVELMORA_BUILD_TESTS=OFF
cmake --build "$build" --parallel "$(nproc)" >&2

stage="$output/Velmora-$version"
bash scripts/windows/stage.sh "$prefix" "$build" "$cache" "$stage" >&2

# The uninstaller's list: every installed file, then the folders, deepest first.
files_list="$output/uninstall-files.nsh"
(
    cd "$stage"
    find . -type f | sort | sed -e 's|^\./||' -e 's|/|\\|g' -e 's|.*|    Delete "$INSTDIR\\&"|'
    find . -mindepth 1 -type d | sort -r | sed -e 's|^\./||' -e 's|/|\\|g' -e 's|.*|    RMDir "$INSTDIR\\&"|'
) >"$files_list"
setup="$output/Velmora-$version-setup.exe"
LC_ALL=C.UTF-8 makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DFILES="$files_list" -DOUTFILE="$setup" \
    -DICON="$PWD/resources/windows/velmora.ico" -DSIZE_KB="$(du -sk "$stage" | cut -f1)" \
    packaging/windows/velmora.nsi >&2

portable="$output/Velmora-$version-portable.zip"
rm -f "$portable"
(cd "$output" && zip -q -r -X "$portable" "Velmora-$version")

echo "Built in $((SECONDS - started)) s:" >&2
ls -l "$setup" "$portable" >&2
