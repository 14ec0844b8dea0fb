#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Metals Quiz developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Fetches Debian's qt6-base source of one version into a folder, as the Qt
# builds for Windows and for the web start from it, and prints the path of
# the unpacked source.
#
# Usage: qt-source.sh VERSION FOLDER
# The apt set-up is private to FOLDER: its deb-src entries are the system's
# own deb entries, and the user's apt configuration and package lists stay as
# they are. apt-get source checks the files' hashes against the signed .dsc.
set -euo pipefail

version=$1
work=$2
mkdir -p "$work/apt/lists/partial" "$work/apt/archives/partial" "$work/apt/sources.list.d"
for file in /etc/apt/sources.list.d/*.sources; do
    [ -e "$file" ] || continue
    sed -E 's/^Types:.*/Types: deb-src/' "$file" > "$work/apt/sources.list.d/$(basename "$file")"
done
touch "$work/apt/sources.list"
if [ -f /etc/apt/sources.list ]; then
    sed -nE 's/^deb[[:space:]]/deb-src /p' /etc/apt/sources.list > "$work/apt/sources.list"
fi
apt_options=(
    -o Dir::Etc::SourceList="$work/apt/sources.list"
    -o Dir::Etc::SourceParts="$work/apt/sources.list.d"
    -o Dir::State::Lists="$work/apt/lists"
    -o Dir::Cache="$work/apt"
    -o Debug::NoLocking=1
)
apt-get "${apt_options[@]}" update -qq >&2
(cd "$work" && apt-get "${apt_options[@]}" source -qq "qt6-base=$version" >&2)
find "$work" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*'
