#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Metals Quiz developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the Qt that the Windows build of the quiz links against: Debian's own
# qt6-base source, of the same version as the host's Qt (whose moc, uic and
# rcc it uses), cross-compiled with MinGW-w64 into shared DLLs with only what
# the quiz and its tests need.
#
# Usage: build-qt.sh LOCATION.cmake
# Builds once into a cache folder keyed by the Qt source version, the
# compiler and this script's configure options, and writes a CMake file to
# LOCATION.cmake that sets QT_WINDOWS_PREFIX to that folder, and QT_HOST_PATH
# and QT_HOST_PATH_CMAKE_DIR to the host Qt whose tools the build uses.
set -euo pipefail

location=$1
here=$(cd "$(dirname "$0")" && pwd)
toolchain=$here/mingw-w64-x86_64.cmake

# The host's Qt: its Debian version names the source package to build.
# qt6-base's binary packages carry the version of their source package.
source_version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)
qt_version=${source_version%%+*}
host_cmake_dir=$(dirname "$(dpkg -L qt6-base-dev | grep -m1 '/cmake/Qt6/Qt6Config.cmake$')")
host_cmake_dir=${host_cmake_dir%/Qt6}

configure_options=(
    -G Ninja
    -DCMAKE_BUILD_TYPE=Release
    -DBUILD_SHARED_LIBS=ON
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    # Only what the quiz and its tests use: Core, Gui, Widgets and Test.
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_xml=OFF
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF
    # Widgets draw in software; the Windows plugin otherwise still loads
    # OpenGL at run time.
    -DFEATURE_opengl=OFF -DFEATURE_dynamicgl=OFF
    -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF
    # The MIME database, which nothing in the quiz reads, is packed with the
    # time of the build in its gzip header.
    -DFEATURE_mimetype_database=OFF
    # The offscreen platform plugin, which the widget tests run on, needs FreeType.
    -DFEATURE_freetype=ON
    # Debian's source drops the Wintab header that tablet events need.
    -DFEATURE_tabletevent=OFF
    # Qt 6.4 fails to link its Windows plugin with DirectWrite 3 and without
    # Direct2D, and MinGW has no Direct2D plugin to offer; GDI draws the text.
    -DFEATURE_directwrite3=OFF -DFEATURE_direct2d=OFF
    # Qt's messages name its source files: named from the build folder's
    # parent, they carry no path of this machine into the DLLs.
    "-DCMAKE_C_FLAGS=-ffile-prefix-map=@WORK@=."
    "-DCMAKE_CXX_FLAGS=-ffile-prefix-map=@WORK@=."
)
toolchain_version=$(x86_64-w64-mingw32-g++-posix -dumpversion)
# The toolchain file's licence tags change nothing in the build, so they do
# not key it: a Qt built before they were there stays in use.
key=$(printf '%s\n' "$source_version" "$toolchain_version" "${configure_options[@]}" \
      "$(grep -v '^# SPDX-' "$toolchain")" "dated from the Qt source" | sha256sum | cut -c1-12)
cache=${METALS_QUIZ_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/metals-quiz}
prefix=$cache/qt-$qt_version-mingw-w64-$key

write_location() {
    cat > "$location" <<END
set(QT_WINDOWS_PREFIX "$prefix")
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR "$host_cmake_dir")
END
}
if [ -f "$prefix/.complete" ]; then
    write_location
    exit 0
fi
echo "Building Qt $qt_version for Windows into $prefix, once for this machine"

work=$cache/qt-build-$key
rm -rf "$work" "$prefix"
source_dir=$("$here/../qt-source.sh" "$source_version" "$work")
# What Qt records of a time (its resources' dates, the DLLs' header times,
# which stripping writes) is the Qt source's own date, whoever builds it.
SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -l "$source_dir/debian/changelog" -S Timestamp)
export SOURCE_DATE_EPOCH

cmake -S "$source_dir" -B "$work/build" "${configure_options[@]//@WORK@/$work}" \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR="$host_cmake_dir"
cmake --build "$work/build"
cmake --install "$work/build" --strip
# The licences that come with Qt's DLLs: Qt's own, and Debian's record of
# every copyright in the source, the bundled libraries' included.
mkdir -p "$prefix/share/licenses/Qt"
for licence in LGPL-3.0-only GPL-2.0-only GPL-3.0-only; do
    cp "$source_dir/LICENSES/$licence.txt" "$prefix/share/licenses/Qt/"
done
cp "$source_dir/debian/copyright" "$prefix/share/licenses/Qt/copyright.txt"
touch "$prefix/.complete"
rm -rf "$work"
write_location
