#!/usr/bin/env bash
# Puts together the folder the installer and the portable zip are made of:
#   stage.sh LIBRARY_PREFIX BUILD_FOLDER CACHE STAGE_FOLDER
# velmora.exe, velmora-cli.exe and the manual; the Qt plugins Velmora needs;
# every DLL these import that is not part of Windows (found by following the
# imports objdump lists), stripped; Qt's Chinese texts with a qt.conf that
# finds them; the licence texts of everything shipped.
set -euo pipefail
prefix="$1" build="$2" cache="$3" stage="$4"
triplet=x86_64-w64-mingw32
dll_folders=("$prefix/bin" /usr/$triplet/lib /usr/lib/gcc/$triplet/*-posix)

rm -rf "$stage"
mkdir -p "$stage"
cp "$build/src/app/velmora/velmora.exe" "$build/src/app/velmora/软件说明书.pdf" \
   "$build/src/app/cli/velmora-cli.exe" "$stage/"

# Qt loads these itself (no import names them): the Windows platform, the
# offscreen one on which velmora-cli draws the report's and the comparison's
# chart (without it the program stops at once, saying nothing), the native
# style, TLS through Schannel, JPEG reading.
for plugin in platforms/qwindows.dll platforms/qoffscreen.dll styles/qwindowsvistastyle.dll tls/qschannelbackend.dll \
              imageformats/qjpeg.dll imageformats/qico.dll; do
    mkdir -p "$stage/plugins/$(dirname "$plugin")"
    cp "$prefix/plugins/$plugin" "$stage/plugins/$plugin"
done

# The DLLs a file imports that we ship (the others are Windows' own).
shipped_imports() {
    local name
    for name in $($triplet-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p'); do
        for folder in "${dll_folders[@]}"; do
            if [ -f "$folder/$name" ]; then
                echo "$folder/$name"
                break
            fi
        done
    done
}

# Follows the imports until no new DLL turns up.
pending=("$stage"/*.exe "$stage"/plugins/*/*.dll)
while [ ${#pending[@]} -gt 0 ]; do
    file="${pending[0]}"
    pending=("${pending[@]:1}")
    for dll in $(shipped_imports "$file"); do
        if [ ! -e "$stage/$(basename "$dll")" ]; then
            cp "$dll" "$stage/"
            pending+=("$stage/$(basename "$dll")")
        fi
    done
done
find "$stage" \( -name '*.exe' -o -name '*.dll' \) -exec $triplet-strip --strip-unneeded {} +

mkdir -p "$stage/translations"
cp /usr/share/qt6/translations/qtbase_zh_CN.qm "$stage/translations/"
# Qt's folders relative to the program, wherever it is installed.
printf '[Paths]\r\nPrefix=.\r\nPlugins=plugins\r\nTranslations=translations\r\n' >"$stage/qt.conf"

# Licences: ours, and for each library its Debian copyright file (which names
# every bundled part) with the full texts it refers to.
licences="$stage/licences"
mkdir -p "$licences"
cp "$(dirname "$0")/../../LICENSE" "$licences/Velmora-GPL-3.0-or-later.txt"
for source in "$cache"/sources/*/; do
    name="$(basename "$source")"
    name="${name%%_*}"
    [ "$name" = googletest ] && continue
    if [ -f "$source/debian/copyright" ]; then
        cp "$source/debian/copyright" "$licences/$name-copyright.txt"
    fi
    for text in COPYING LICENSE LICENSE.md LICENSE.txt GPL.txt README.ijg; do
        [ -f "$source/$text" ] && cp "$source/$text" "$licences/$name-$text"
    done
done
cp /usr/share/common-licenses/GPL-3 "$licences/GPL-3.txt"
cp /usr/share/common-licenses/LGPL-3 "$licences/LGPL-3.txt"
cp /usr/share/common-licenses/LGPL-2.1 "$licences/LGPL-2.1.txt"
cp /usr/share/doc/libz-mingw-w64/copyright "$licences/zlib-copyright.txt"
cp /usr/share/doc/gcc-mingw-w64-base/copyright "$licences/mingw-w64-gcc-runtime-copyright.txt"
cp /usr/share/doc/mingw-w64-common/copyright "$licences/mingw-w64-winpthreads-copyright.txt"
# The header-only libraries compiled into the programs (dependencies.sh copies
# them from these packages): Eigen under the MPL 2.0, Boost under its own licence.
cp /usr/share/doc/libeigen3-dev/copyright "$licences/eigen3-copyright.txt"
cp /usr/share/common-licenses/MPL-2.0 "$licences/MPL-2.0.txt"
cp "/usr/share/doc/$(dpkg -S /usr/include/boost/version.hpp | cut -d: -f1)/copyright" \
    "$licences/boost-copyright.txt"
