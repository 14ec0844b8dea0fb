#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Metals Quiz developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Screenshots of the quiz window into screenshots/: on a private X server at
# 96 dpi, once at scale 1 and once at scale 2; for a Windows build, under Wine
# at 96 dpi and at 144 dpi (150 %). Checks that the second is exactly that
# much larger than the first.
# Usage: tests/screenshots.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
mkdir -p screenshots

if [ -f "$build/screenshot.exe" ]; then
    # Qt's DLLs, from the Qt the build links against.
    qt_bin=$(sed -n 's/^set(QT_WINDOWS_PREFIX "\(.*\)")$/\1/p' "$build/qt-for-windows.cmake")/bin
    export WINEPATH="Z:${qt_bin//\//\\}"
    shoot() { # FILE DPI
        tests/wine_session.sh --dpi "$2" wine "$build/screenshot.exe" "$1" | tr -d '\r'
    }
    first=(screenshots/form1-windows.png 96) second=(screenshots/form1-windows@150%.png 144)
    ratio_numerator=3 ratio_denominator=2
else
    shoot() { # FILE SCALE
        QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$2 \
            xvfb-run -a -s "-screen 0 1600x1200x24 -dpi 96" "$build/tests/screenshot" "$1"
    }
    first=(screenshots/form1.png 1) second=(screenshots/form1@2x.png 2)
    ratio_numerator=2 ratio_denominator=1
fi

normal=$(shoot "${first[@]}")
larger=$(shoot "${second[@]}")
echo "${first[0]}: $normal, ${second[0]}: $larger"
IFS=x read -r width height <<<"$normal"
expected="$((width * ratio_numerator / ratio_denominator))x$((height * ratio_numerator / ratio_denominator))"
if [ "$larger" != "$expected" ]; then
    echo "the larger window is $larger, not $expected" >&2
    exit 1
fi
