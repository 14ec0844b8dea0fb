#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Metals Quiz developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Writes what a rebuilder must match to get the same bytes, in the manner of
# Debian's .buildinfo: the source (version, commit and date), the system and
# the version of every package installed on it, and for the Windows and web
# builds the Qt source they were built against and the key of the Qt cache
# folder (which names the compiler and Qt's options).
#
# Usage: buildinfo.sh OUTPUT PLATFORM [QT_PREFIX]
# The environment gives VERSION, SOURCE_DIR and SOURCE_DATE_EPOCH, and
# SOURCE_COMMIT where the source folder is no git checkout.
set -euo pipefail
output=$1 platform=$2 qt_prefix=${3:-}

commit=${SOURCE_COMMIT:-not a git checkout}
[ ! -d "$SOURCE_DIR/.git" ] || commit=$(git -C "$SOURCE_DIR" rev-parse HEAD)
{
    echo "Format: 1.0"
    echo "Source: metals-quiz"
    echo "Version: $VERSION"
    echo "Platform: $platform"
    echo "Commit: $commit"
    echo "Source-Date-Epoch: $SOURCE_DATE_EPOCH"
    echo "Build-Architecture: $(dpkg --print-architecture)"
    echo "Build-System: $(. /etc/os-release && echo "$PRETTY_NAME")"
    if [ -n "$qt_prefix" ]; then
        echo "Qt-Source: qt6-base $(dpkg-query -W -f='${Version}' qt6-base-dev-tools)"
        echo "Qt-Cache-Key: ${qt_prefix##*-}"
    fi
    echo "Installed-Build-Depends:"
    dpkg-query -W -f='${db:Status-Abbrev} ${binary:Package} (= ${Version})\n' |
        sed -n 's/^ii  */ /p' | LC_ALL=C sort | sed '$!s/$/,/'
} >"$output.new"
mv "$output.new" "$output"
