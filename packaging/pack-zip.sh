#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Metals Quiz developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Packs a folder into a .zip under one top folder, so that the same files
# give the same bytes on any machine: the entries in one order, every one
# dated SOURCE_DATE_EPOCH in UTC, readable by all and writable by the owner
# whatever the umask, and no extra fields (Unix owners, times to the second).
#
# Usage: pack-zip.sh ZIP FOLDER TOP
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: $0 ZIP FOLDER TOP" >&2; exit 2; }
zip=$(realpath -m "$1")
folder=$2
top=$3
: "${SOURCE_DATE_EPOCH:?$0: SOURCE_DATE_EPOCH is not set}"

staging=$(mktemp -d "${TMPDIR:-/tmp}/metals-quiz-zip.XXXXXX")
trap 'rm -rf "$staging"' EXIT
cp -r "$folder" "$staging/$top"
chmod -R u=rwX,go=rX "$staging/$top"
find "$staging/$top" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
rm -f "$zip"
(cd "$staging" && find "$top" | LC_ALL=C sort | TZ=UTC zip -q -X -D -@ "$zip")
