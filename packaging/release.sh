#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Metals Quiz developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Gathers a release from the build folders given, after their builds:
#   OUTPUT/unsigned/  the artefacts as built, which a rebuild gives byte for
#                     byte: the .deb and the .rpm, the Windows program, .msi
#                     and .zip, and the web site's .zip; each build's
#                     .buildinfo; and SHA256SUMS over the artefacts.
#   OUTPUT/signed/    with the publisher's keys: the same artefacts signed
#                     where their formats carry a signature (the .rpm, and the
#                     program, .msi and .zip with a signed program inside),
#                     the others as they are, and their SHA256SUMS.
# Each SHA256SUMS gets a detached, ASCII-armoured signature, SHA256SUMS.asc.
#
# Usage: packaging/release.sh OUTPUT BUILD_FOLDER...
#   e.g. packaging/release.sh release build build-windows build-web
# The keys, none of which the repository keeps:
#   METALS_QUIZ_GPG_KEY      a GnuPG key (as gpg -u names it, from GNUPGHOME
#                            or ~/.gnupg) that signs the .rpm and SHA256SUMS
#   METALS_QUIZ_PKCS12       a PKCS#12 file with the Authenticode certificate
#                            and key that sign the program and the .msi
#   METALS_QUIZ_PKCS12_PASSWORD_FILE  a file holding its password, if it has one
#   METALS_QUIZ_TIMESTAMP_URL  an RFC 3161 time-stamp server for those two
# With none given, the release is unsigned and says so.
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: $0 OUTPUT BUILD_FOLDER..." >&2; exit 2; }
output=$1
shift
here=$(cd "$(dirname "$0")" && pwd)
# The version this source builds; files of other versions left in the build
# folders stay out.
version=$(sed -n 's/^project(metals-quiz VERSION \([0-9.]*\).*/\1/p' "$here/../CMakeLists.txt")
[ -n "$version" ] || { echo "$0: no version in CMakeLists.txt" >&2; exit 1; }
gpg_key=${METALS_QUIZ_GPG_KEY:-}
pkcs12=${METALS_QUIZ_PKCS12:-}

rm -rf "$output/unsigned" "$output/signed"
mkdir -p "$output/unsigned"
unsigned=$(cd "$output/unsigned" && pwd)
windows_build=""
for build in "$@"; do
    [ -d "$build" ] || { echo "$0: no build folder $build" >&2; exit 1; }
    shopt -s nullglob
    for file in "$build/metals-quiz_${version}_"*.deb "$build/metals-quiz-$version-"*.rpm \
                "$build/metals-quiz-$version-"*.msi "$build/metals-quiz-$version-"*.zip \
                "$build/metals-quiz-$version-"*.buildinfo; do
        cp "$file" "$unsigned/"
    done
    shopt -u nullglob
    # The Windows program on its own, named as its packages are.
    if [ -f "$build/stage/metals-quiz.exe" ]; then
        windows_build=$build
        cp "$build/stage/metals-quiz.exe" "$unsigned/metals-quiz-$version-windows-x86_64.exe"
    fi
done
artefacts=$(cd "$unsigned" && ls | grep -v '\.buildinfo$' || true)
[ -n "$artefacts" ] || { echo "$0: no artefacts in $*" >&2; exit 1; }
(cd "$unsigned" && sha256sum $artefacts >SHA256SUMS)

# sign_sums <folder>: SHA256SUMS.asc beside its SHA256SUMS.
sign_sums() {
    gpg --batch --yes --local-user "$gpg_key" --armor --detach-sign \
        --output "$1/SHA256SUMS.asc" "$1/SHA256SUMS"
}

if [ -z "$gpg_key" ] && [ -z "$pkcs12" ]; then
    echo "$0: no keys given (METALS_QUIZ_GPG_KEY, METALS_QUIZ_PKCS12): the release is unsigned"
    echo "$0: $(echo $artefacts | wc -w) artefacts and SHA256SUMS in $unsigned"
    exit 0
fi

mkdir -p "$output/signed"
signed=$(cd "$output/signed" && pwd)
cp "$unsigned"/* "$signed/"
rm -f "$signed/SHA256SUMS"

if [ -n "$gpg_key" ]; then
    for rpm in "$signed"/*.rpm; do
        [ -e "$rpm" ] || continue
        # Debian's rpm looks for GnuPG as gpg2, which Debian names gpg.
        rpmsign --define "_gpg_name $gpg_key" --define "__gpg $(command -v gpg)" \
            --addsign "$rpm" 2>&1 >/dev/null | { grep -v 'Could not set GPG_TTY' >&2 || true; }
    done
    sign_sums "$unsigned"
else
    echo "$0: no GnuPG key (METALS_QUIZ_GPG_KEY): the .rpm and SHA256SUMS are unsigned"
fi

if [ -n "$pkcs12" ] && [ -n "$windows_build" ]; then
    # authenticode <in> <out>: signs a program or an installer into a new file.
    authenticode() {
        rm -f "$2"
        osslsigncode sign -pkcs12 "$pkcs12" \
            ${METALS_QUIZ_PKCS12_PASSWORD_FILE:+-readpass "$METALS_QUIZ_PKCS12_PASSWORD_FILE"} \
            -h sha256 -n "Знаете ли вы металлы?" -i "https://github.com/metalsquiz/MetalsQuiz" \
            ${METALS_QUIZ_TIMESTAMP_URL:+-ts "$METALS_QUIZ_TIMESTAMP_URL"} \
            -in "$1" -out "$2" >/dev/null
    }
    # The program is signed first, and the .msi and .zip made again around
    # it, from a copy of the staged folder, as the build makes them.
    name=metals-quiz-$version-windows-x86_64
    program=$name.exe
    scratch=$(mktemp -d "${TMPDIR:-/tmp}/metals-quiz-release.XXXXXX")
    trap 'rm -rf "$scratch"' EXIT
    cp -a "$windows_build/stage" "$scratch/stage"
    authenticode "$unsigned/$program" "$signed/$program"
    cp "$signed/$program" "$scratch/stage/metals-quiz.exe"
    source_date_epoch=$(stat -c %Y "$windows_build/stage/metals-quiz.exe")
    touch -d "@$source_date_epoch" "$scratch/stage/metals-quiz.exe"
    SOURCE_DATE_EPOCH=$source_date_epoch "$here/windows/build-msi.sh" "$scratch/stage" "$version" \
        "$scratch/$name.msi" "$windows_build/window/metals-quiz.ico"
    authenticode "$scratch/$name.msi" "$signed/$name.msi"
    SOURCE_DATE_EPOCH=$source_date_epoch "$here/pack-zip.sh" "$signed/$name.zip" "$scratch/stage" "$name"
elif [ -n "$pkcs12" ]; then
    echo "$0: no Windows build among $*: nothing to sign with $pkcs12"
else
    echo "$0: no Authenticode certificate (METALS_QUIZ_PKCS12): the Windows program and .msi are unsigned"
fi

(cd "$signed" && sha256sum $artefacts >SHA256SUMS)
[ -z "$gpg_key" ] || sign_sums "$signed"
echo "$0: unsigned artefacts in $unsigned, signed ones in $signed"
