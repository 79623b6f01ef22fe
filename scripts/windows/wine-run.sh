#!/usr/bin/env bash
# Runs a cross-built Windows program under 64-bit Wine, with the DLLs of the
# cross-built libraries and of MinGW's runtime on its path:
#   wine-run.sh LIBRARY_PREFIX WINE_PREFIX PROGRAM.exe [ARGUMENTS...]
# The build uses it as CMake's cross-compiling emulator, so CTest, the test
# discovery and the manual's maker run the .exe files through it.
set -euo pipefail
library_prefix="$1"
export WINEPREFIX="$2"
shift 2

mingw_runtime=(/usr/x86_64-w64-mingw32/lib /usr/lib/gcc/x86_64-w64-mingw32/*-posix)
path="$library_prefix/bin"
for folder in "${mingw_runtime[@]}"; do
    path="$path;$folder"
done
export WINEPATH="$path"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
# Mono and Gecko are never needed: no dialog asks to install them.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
exec /usr/lib/wine/wine64 "$@"
