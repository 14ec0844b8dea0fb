#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Metals Quiz developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Makes a Windows icon from an SVG: one image for each size that Explorer,
# the Start menu and the task bar ask for.
# Usage: make-icon.sh INPUT.svg OUTPUT.ico
set -euo pipefail
svg=$1 icon=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
images=()
for size in 16 24 32 48 64 256; do
    rsvg-convert --width "$size" --height "$size" --output "$scratch/$size.png" "$svg"
    images+=("$scratch/$size.png")
done
# The largest as PNG inside the icon, as Windows Vista and later read it.
icotool --create --output "$icon" "${images[@]:0:5}" --raw="${images[5]}"
