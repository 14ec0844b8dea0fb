#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Metals Quiz developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Lays out the web site of one program in a folder of static files, and packs
# the folder as a .zip: the page and its script, Qt's loader, the program's
# .js and .wasm with gzip and brotli copies beside them, the web app
# manifest, the service worker that keeps the site offline, and the licence
# and source page with the texts it links to.
#
# Usage: make-site.sh SITE PROGRAM_DIR PROGRAM [ZIP]
# The environment gives VERSION, HOMEPAGE, QT_SOURCE_VERSION,
# EMSCRIPTEN_VERSION, QT_PREFIX, SOURCE_DIR and SOURCE_DATE_EPOCH. The same
# inputs give the same bytes: no build time or build path goes in.
set -euo pipefail

site=$1
program_dir=$2
program=$3
zip=${4:-}
here=$(cd "$(dirname "$0")" && pwd)

rm -rf "$site"
mkdir -p "$site/licenses/Qt" "$site/licenses/LiberationSans" "$site/qt-patches"
cp "$program_dir/$program.js" "$program_dir/$program.wasm" "$program_dir/qtloader.js" \
   "$here/quiz.css" "$here/source.css" "$here/manifest.webmanifest" "$site/"
cp "$SOURCE_DIR/packaging/io.github.metalsquiz.MetalsQuiz.svg" "$site/icon.svg"
cp "$SOURCE_DIR/COPYING" "$site/COPYING.txt"
cp "$QT_PREFIX"/share/licenses/Qt/* "$site/licenses/Qt/"
cp /usr/share/doc/fonts-liberation/copyright "$site/licenses/LiberationSans/copyright.txt"
cp "$here"/qt-patches/*.patch "$site/qt-patches/"

patches=$(cd "$site" && for patch in qt-patches/*.patch; do
              printf '<a href="%s">%s</a>, ' "$patch" "${patch#qt-patches/}"; done)
# snapshot.debian.org writes a version's colon and plus signs escaped.
url_version() { printf '%s' "$1" | sed -e 's/:/%3A/g' -e 's/+/%2B/g'; }
sed -e "s|@PROGRAM@|$program|g" "$here/index.html" > "$site/index.html"
sed -e "s|@PROGRAM@|$program|g" -e "s|@WASM_BYTES@|$(stat -c %s "$site/$program.wasm")|g" \
    "$here/quiz.js" > "$site/quiz.js"
sed -e "s|@VERSION@|$VERSION|g" -e "s|@HOMEPAGE@|$HOMEPAGE|g" \
    -e "s|@QT_SOURCE_VERSION@|$QT_SOURCE_VERSION|g" \
    -e "s|@QT_SOURCE_VERSION_URL@|$(url_version "$QT_SOURCE_VERSION")|g" \
    -e "s|@EMSCRIPTEN_VERSION@|$EMSCRIPTEN_VERSION|g" \
    -e "s|@EMSCRIPTEN_VERSION_URL@|$(url_version "$EMSCRIPTEN_VERSION")|g" \
    -e "s|@PATCHES@|${patches%, }|g" \
    "$here/source.html" > "$site/source.html"

# The service worker keeps the files the quiz opens with, under a name taken
# from the contents of the whole site; the page itself is kept as ./ too,
# where it is opened. The licence and source page and its texts come from
# the server.
files=$(cd "$site" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
content_hash=$(cd "$site" && sha256sum $files | sha256sum | cut -c1-16)
quiz_files=(index.html quiz.js quiz.css qtloader.js "$program.js" "$program.wasm" icon.svg
            manifest.webmanifest)
file_list=$(printf "'./', "; printf "'%s', " "${quiz_files[@]}")
sed -e "s|@CONTENT_HASH@|$content_hash|" -e "s|@FILES@|${file_list%, }|" \
    "$here/sw.js" > "$site/sw.js"

# Copies for servers that send precompressed files as they are.
for file in "$site/$program.js" "$site/$program.wasm" "$site/qtloader.js"; do
    gzip -9 -n -k "$file"
    brotli -q 11 -k "$file"
done

# Every file dated from the source, and the .zip of them.
find "$site" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
chmod -R u=rwX,go=rX "$site"
if [ -n "$zip" ]; then
    "$here/../pack-zip.sh" "$zip" "$site" "$(basename "${zip%.zip}")"
fi
