#!/usr/bin/env bash
# Fetches Debian's source packages of Velmora's libraries and cross-builds
# them for 64-bit Windows, once: everything lives in a cache folder outside
# the repository ($VELMORA_WINDOWS_CACHE, by default /var/cache/velmora-windows)
# and a library is built again only when its Debian version changes.
#
#   sources/NAME_VERSION/    the unpacked source package, Debian's patches applied
#   build/NAME_VERSION/      its build folder
#   prefix-QTVERSION/        the installed libraries (one per Qt version, since
#                            the others are built against that Qt)
#   prefix-QTVERSION/stamps/ NAME_VERSION for every library installed there
#
#   prefix-QTVERSION/include/eigen3, include/boost, share/eigen3/cmake
#                            the header-only libraries, copied from Debian's
#                            installed packages (nothing in them is built)
#
# Prints the prefix on standard output; everything else goes to standard error.
set -euo pipefail
renice -n 19 $$ >/dev/null
repository="$(cd "$(dirname "$0")/../.." && pwd)"
cache="${VELMORA_WINDOWS_CACHE:-/var/cache/velmora-windows}"
toolchain="$repository/cmake/mingw-w64-x86_64.cmake"
jobs="$(nproc)"

# The version of a source package as the archive has it now.
source_version() {
    apt-cache showsrc "$1" | sed -n 's/^Version: //p' | sort -V | tail -1
}

# Unpacks source package $1 (version $2) into sources/ and prints its folder.
unpack_source() {
    local name="$1" version="$2"
    local folder="$cache/sources/${name}_${version}"
    if [ ! -d "$folder" ]; then
        # dpkg-source puts a copy of the tarballs beside the folder it unpacks into.
        mkdir -p "$cache/downloads" "$cache/sources"
        rm -rf "$folder.partial"
        if (cd "$cache/downloads" && apt-get source --download-only -q "$name=$version" >&2); then
            dpkg-source --no-check -x "$cache/downloads/${name}_${version#*:}.dsc" "$folder.partial" >&2
        else
            # A mirror that lacks the Debian part (seen for qrencode): the
            # upstream tarball alone, which apt has checked against the .dsc.
            local upstream
            upstream="$(ls "$cache/downloads/${name}_$(echo "${version#*:}" | sed 's/-[^-]*$//').orig.tar."* | head -1)"
            echo "Warning: $name $version without Debian's patches: $(basename "$upstream")" >&2
            mkdir -p "$folder.partial"
            tar -xf "$upstream" -C "$folder.partial" --strip-components=1
        fi
        mv "$folder.partial" "$folder"
    fi
    echo "$folder"
}

# Configures, builds and installs CMake project $2 of package $1 into the prefix.
cmake_build() {
    local id="$1" source="$2"
    shift 2
    local build="$cache/build/$id"
    cmake -S "$source" -B "$build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DVELMORA_WINDOWS_PREFIX="$prefix" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DCMAKE_PREFIX_PATH="$prefix" "$@" >&2
    cmake --build "$build" --parallel "$jobs" >&2
    cmake --install "$build" >&2
}

# Runs build function $2 for package $1 unless this version is installed; $3,
# when given, names the build's configuration, so that a library built with
# another one is built again.
build_once() {
    local name="$1" function="$2"
    local version
    version="$(source_version "$name")"
    local id="${name}_${version#*:}${3:++$3}"
    if [ -e "$prefix/stamps/$id" ]; then
        echo "Cached: $id" >&2
        return
    fi
    echo "Building $id for Windows" >&2
    local started=$SECONDS source
    source="$(unpack_source "$name" "$version")" # a failed unpack stops the build here
    "$function" "$id" "$source"
    mkdir -p "$prefix/stamps"
    echo "$((SECONDS - started)) s" >"$prefix/stamps/$id"
    echo "Built $id in $((SECONDS - started)) s" >&2
}

# Qt: Core, Concurrent, Gui, Widgets, Network, PrintSupport and Test; the host's Qt gives
# moc, rcc and uic. Bundled third-party libraries, TLS through Schannel.
# Direct2D and OpenGL stay at their defaults: with both off, 6.4.2 does not
# build (the platform plugin and PrintSupport call DirectWrite code that is
# compiled only with Direct2D).
build_qt() {
    cmake_build "$1" "$2" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DBUILD_SHARED_LIBS=ON -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
        -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
        -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF \
        -DFEATURE_system_pcre2=OFF -DFEATURE_system_doubleconversion=OFF \
        -DFEATURE_schannel=ON -DFEATURE_openssl=OFF \
        -DFEATURE_dbus=OFF -DFEATURE_sql=OFF -DFEATURE_xml=OFF -DFEATURE_icu=OFF \
        -DFEATURE_concurrent=ON -DFEATURE_zstd=OFF -DFEATURE_vulkan=OFF \
        -DFEATURE_tabletevent=OFF
}

# libpng and libjpeg-turbo for the picture encoders (zlib is Debian's
# libz-mingw-w64-dev). libjpeg-turbo without its SIMD code, which needs nasm.
build_png() {
    cmake_build "$1" "$2" -DPNG_SHARED=ON -DPNG_STATIC=OFF -DPNG_TESTS=OFF
}
build_jpeg() {
    cmake_build "$1" "$2" -DENABLE_SHARED=ON -DENABLE_STATIC=OFF -DWITH_SIMD=OFF \
        -DWITH_TURBOJPEG=OFF
}

# libzip: deflate only, Windows' own crypto for its AES, no tools.
build_zip() {
    cmake_build "$1" "$2" -DBUILD_SHARED_LIBS=ON \
        -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF -DENABLE_GNUTLS=OFF -DENABLE_OPENSSL=OFF \
        -DENABLE_MBEDTLS=OFF -DENABLE_COMMONCRYPTO=OFF -DENABLE_WINDOWS_CRYPTO=ON \
        -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOC=OFF
}

build_qrencode() {
    cmake_build "$1" "$2" -DBUILD_SHARED_LIBS=ON -DWITH_TOOLS=OFF -DWITH_TESTS=OFF
}

# QCustomPlot through the CMake files of Debian's patches, for Qt 6.
build_qcustomplot() {
    cmake_build "$1" "$2" -DBUILD_SHARED_LIBS=ON -DUSE_QT_VERSION=6
}

# GoogleTest for the test suite run under Wine; static, as Debian ships it.
build_googletest() {
    cmake_build "$1" "$2" -DBUILD_SHARED_LIBS=OFF -Dgtest_force_shared_crt=ON
}

# Header-only libraries need no cross-building: their headers serve Windows as
# they are. They are copied from the host's Debian packages (setup.sh installs
# them) rather than fetched as source packages (Boost's is some 100 MB), once
# per installed version; Eigen with its relocatable CMake package file, Boost
# found by CMake's FindBoost from the headers alone.
copy_headers_once() {
    local package="$1" function="$2"
    local version
    version="$(dpkg-query -W -f='${Version}' "$package")"
    local id="${package}_${version#*:}"
    if [ -e "$prefix/stamps/$id" ]; then
        echo "Cached: $id" >&2
        return
    fi
    echo "Copying $id for Windows" >&2
    "$function"
    mkdir -p "$prefix/stamps"
    echo "headers copied" >"$prefix/stamps/$id"
}
copy_eigen() {
    rm -rf "$prefix/include/eigen3" "$prefix/share/eigen3"
    mkdir -p "$prefix/include" "$prefix/share/eigen3"
    cp -a /usr/include/eigen3 "$prefix/include/"
    cp -a /usr/share/eigen3/cmake "$prefix/share/eigen3/"
}
copy_boost() {
    rm -rf "$prefix/include/boost"
    mkdir -p "$prefix/include"
    cp -a /usr/include/boost "$prefix/include/"
}

qt_version="$(source_version qt6-base)"
prefix="$cache/prefix-${qt_version#*:}"
mkdir -p "$prefix"
build_once qt6-base build_qt concurrent
build_once libpng1.6 build_png
build_once libjpeg-turbo build_jpeg
build_once libzip build_zip
build_once qrencode build_qrencode
build_once qcustomplot build_qcustomplot
build_once googletest build_googletest
copy_headers_once libeigen3-dev copy_eigen
# Boost's headers are in the package of its version (libboost1.74-dev).
copy_headers_once "$(dpkg -S /usr/include/boost/version.hpp | cut -d: -f1)" copy_boost
# Windows finds a DLL beside the program or on PATH, never beside its import
# library: one that a project installs into lib (qrencode does) goes to bin.
find "$prefix/lib" -maxdepth 1 -name '*.dll' -exec mv -t "$prefix/bin" {} +
echo "$prefix"
