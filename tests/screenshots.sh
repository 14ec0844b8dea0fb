#!/usr/bin/env bash
# Screenshots of the quiz window on a private X server at 96 dpi, once at
# scale 1 and once at scale 2, into screenshots/. Checks that the second is
# exactly twice the size of the first.
# Usage: tests/screenshots.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
program=${1:-build}/tests/screenshot
mkdir -p screenshots

shoot() { # FILE SCALE
    QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$2 \
        xvfb-run -a -s "-screen 0 1600x1200x24 -dpi 96" "$program" "$1"
}

normal=$(shoot screenshots/form1.png 1)
doubled=$(shoot screenshots/form1@2x.png 2)
echo "screenshots/form1.png: $normal, screenshots/form1@2x.png: $doubled"
IFS=x read -r width height <<<"$normal"
if [ "$doubled" != "$((2 * width))x$((2 * height))" ]; then
    echo "at scale 2 the window is not exactly twice the size" >&2
    exit 1
fi
