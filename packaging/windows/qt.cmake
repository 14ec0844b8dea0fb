# SPDX-FileCopyrightText: 2026 Metals Quiz developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The Qt for Windows that build-qt.sh makes once per machine from Debian's
# qt6-base source, found here before find_package(Qt6). Its host tools (moc,
# uic, rcc) are the host Qt's, of the same version.
set(qt_location ${CMAKE_BINARY_DIR}/qt-for-windows.cmake)
execute_process(
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/build-qt.sh ${qt_location}
    COMMAND_ERROR_IS_FATAL ANY)
# Sets QT_WINDOWS_PREFIX, QT_HOST_PATH and QT_HOST_PATH_CMAKE_DIR.
include(${qt_location})
# The linker lays out the program's imports in the order of the paths of the
# libraries they come from, so Qt is found through a link in the build
# folder: the build names its libraries relative to the folder, and the
# program is the same wherever the cache is.
set(qt_link ${CMAKE_BINARY_DIR}/qt-for-windows)
file(REMOVE ${qt_link})
file(CREATE_LINK ${QT_WINDOWS_PREFIX} ${qt_link} SYMBOLIC)
list(APPEND CMAKE_FIND_ROOT_PATH ${qt_link})
list(APPEND CMAKE_PREFIX_PATH ${qt_link})
# A change to the script or the toolchain may call for another Qt.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${CMAKE_CURRENT_LIST_DIR}/build-qt.sh ${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64.cmake)
