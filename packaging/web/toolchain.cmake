# SPDX-FileCopyrightText: 2026 Metals Quiz developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The web build's toolchain: Qt's own for WebAssembly, which loads
# Emscripten's, from the Qt that build-qt.sh makes once per machine from
# Debian's qt6-base source.
execute_process(
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/build-qt.sh ${CMAKE_BINARY_DIR}/qt-for-web.cmake
    COMMAND_ERROR_IS_FATAL ANY)
# Sets QT_WEB_PREFIX, QT_WEB_SOURCE_VERSION and QT_WEB_EMSCRIPTEN_VERSION.
include(${CMAKE_BINARY_DIR}/qt-for-web.cmake)
# Qt finds Emscripten through EMSDK, when it configures and whenever the
# build configures again; Debian's package keeps it all in one folder.
set(ENV{EMSDK} /usr/share/emscripten)
# Debian's Qt leaves plugins out unless asked; a static program without its
# platform plugin could not open a window at all.
set(QT_SKIP_AUTO_PLUGIN_INCLUSION OFF CACHE BOOL "")
include(${QT_WEB_PREFIX}/lib/cmake/Qt6/qt.toolchain.cmake)
