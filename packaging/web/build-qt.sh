#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Metals Quiz developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the Qt that the web build of the quiz links against: Debian's own
# qt6-base source, of the same version as the host's Qt (whose moc, uic and
# rcc it uses), compiled with Debian's Emscripten into static WebAssembly
# libraries with only what the quiz and its tests need, and the patches in
# qt-patches/ applied in order.
#
# Usage: build-qt.sh LOCATION.cmake
# Builds once into a cache folder keyed by the Qt source version, the
# Emscripten version, this script's configure options and the patches, and
# writes a CMake file to LOCATION.cmake that sets QT_WEB_PREFIX to that
# folder.
set -euo pipefail

location=$1
here=$(cd "$(dirname "$0")" && pwd)

source_version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)
qt_version=${source_version%%+*}
host_cmake_dir=$(dirname "$(dpkg -L qt6-base-dev | grep -m1 '/cmake/Qt6/Qt6Config.cmake$')")
host_cmake_dir=${host_cmake_dir%/Qt6}
# Qt finds Emscripten through EMSDK; Debian's package keeps it all in one folder.
export EMSDK=/usr/share/emscripten
emscripten_version=$(dpkg-query -W -f='${Version}' emscripten)

configure_options=(
    -G Ninja
    -DCMAKE_BUILD_TYPE=Release
    -DBUILD_SHARED_LIBS=OFF
    -DQT_QMAKE_TARGET_MKSPEC=wasm-emscripten
    -DFEATURE_thread=OFF
    # Every byte of it goes over a school's network: optimised for size.
    -DFEATURE_optimize_size=ON
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    # Only what the quiz and its tests use: Core, Gui, Widgets and Test, and
    # OpenGL, which the platform plugin includes whatever the settings.
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_xml=OFF
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_vulkan=OFF
    -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_imageformat_bmp=OFF
    -DFEATURE_imageformat_ppm=OFF -DFEATURE_imageformat_xbm=OFF
    -DFEATURE_pdf=OFF -DFEATURE_movie=OFF -DFEATURE_mimetype_database=OFF
    -DFEATURE_textodfwriter=OFF -DFEATURE_textmarkdownreader=OFF
    -DFEATURE_textmarkdownwriter=OFF -DFEATURE_sessionmanager=OFF
    -DFEATURE_systemtrayicon=OFF -DFEATURE_tabletevent=OFF -DFEATURE_picture=OFF
    -DFEATURE_timezone=OFF -DFEATURE_islamiccivilcalendar=OFF -DFEATURE_jalalicalendar=OFF
    -DFEATURE_undocommand=OFF -DFEATURE_standarditemmodel=OFF -DFEATURE_filesystemmodel=OFF
    -DFEATURE_stringlistmodel=OFF -DFEATURE_sortfilterproxymodel=OFF
    -DFEATURE_identityproxymodel=OFF -DFEATURE_transposeproxymodel=OFF
    -DFEATURE_concatenatetablesproxymodel=OFF -DFEATURE_ico=OFF -DFEATURE_animation=OFF
    -DFEATURE_gestures=OFF -DFEATURE_scroller=OFF
    # Widgets the window does not have; the message box for a run-time error
    # needs only labels and buttons.
    -DFEATURE_calendarwidget=OFF -DFEATURE_datetimeedit=OFF -DFEATURE_dial=OFF
    -DFEATURE_dockwidget=OFF -DFEATURE_fontcombobox=OFF -DFEATURE_fontdialog=OFF
    -DFEATURE_colordialog=OFF -DFEATURE_filedialog=OFF -DFEATURE_wizard=OFF
    -DFEATURE_mdiarea=OFF -DFEATURE_lcdnumber=OFF -DFEATURE_splashscreen=OFF
    -DFEATURE_toolbox=OFF -DFEATURE_keysequenceedit=OFF -DFEATURE_progressdialog=OFF
    -DFEATURE_inputdialog=OFF -DFEATURE_errormessage=OFF -DFEATURE_syntaxhighlighter=OFF
    -DFEATURE_undoview=OFF -DFEATURE_columnview=OFF -DFEATURE_graphicsview=OFF
    -DFEATURE_textbrowser=OFF -DFEATURE_mainwindow=OFF -DFEATURE_toolbar=OFF
    -DFEATURE_statusbar=OFF -DFEATURE_completer=OFF
    -DFEATURE_combobox=OFF -DFEATURE_splitter=OFF -DFEATURE_sizegrip=OFF
    -DFEATURE_tabwidget=OFF -DFEATURE_tabbar=OFF -DFEATURE_spinbox=OFF
    -DFEATURE_progressbar=OFF -DFEATURE_menubar=OFF -DFEATURE_whatsthis=OFF
    -DFEATURE_effects=OFF -DFEATURE_textedit=OFF
    # No path of this machine reaches the quiz: Qt's messages name its
    # source files from the build folder's parent, and the prefix that Qt
    # records is its own default; the files are installed into the cache.
    "-DCMAKE_C_FLAGS=-ffile-prefix-map=@WORK@=."
    "-DCMAKE_CXX_FLAGS=-ffile-prefix-map=@WORK@=."
    -DCMAKE_INSTALL_PREFIX=/usr/local/Qt-$qt_version
)
patches=("$here"/qt-patches/*.patch)
# The key takes the patches' changes, from their first file header on; what
# each says of itself above that changes nothing in the build.
key=$( (printf '%s\n' "$source_version" "$emscripten_version" "${configure_options[@]}" \
                "dated from the Qt source"
        for patch in "${patches[@]}"; do sed -n '/^--- /,$p' "$patch"; done) \
      | sha256sum | cut -c1-12)
cache=${METALS_QUIZ_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/metals-quiz}
prefix=$cache/qt-$qt_version-wasm-$key

write_location() {
    cat > "$location" <<END
set(QT_WEB_PREFIX "$prefix")
set(QT_WEB_SOURCE_VERSION "$source_version")
set(QT_WEB_EMSCRIPTEN_VERSION "$emscripten_version")
END
}
if [ -f "$prefix/.complete" ]; then
    write_location
    exit 0
fi
echo "Building Qt $qt_version for WebAssembly into $prefix, once for this machine"

work=$cache/qt-build-$key
rm -rf "$work" "$prefix"
source_dir=$("$here/../qt-source.sh" "$source_version" "$work")
for patch in "${patches[@]}"; do
    patch -d "$source_dir" -p1 --quiet < "$patch"
done
# What Qt records of a time (its resources' dates) is the Qt source's own
# date, whoever builds it and whatever SOURCE_DATE_EPOCH the caller has.
SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -l "$source_dir/debian/changelog" -S Timestamp)
export SOURCE_DATE_EPOCH

cmake -S "$source_dir" -B "$work/build" "${configure_options[@]//@WORK@/$work}" \
    -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR="$host_cmake_dir"
cmake --build "$work/build"
cmake --install "$work/build" --prefix "$prefix"
# What the site's source page names: Qt's licences, and Debian's record of
# every copyright in the source, the bundled libraries' included.
mkdir -p "$prefix/share/licenses/Qt"
for licence in LGPL-3.0-only GPL-2.0-only GPL-3.0-only; do
    cp "$source_dir/LICENSES/$licence.txt" "$prefix/share/licenses/Qt/"
done
cp "$source_dir/debian/copyright" "$prefix/share/licenses/Qt/copyright.txt"
touch "$prefix/.complete"
rm -rf "$work"
write_location
