# shellcheck shell=bash disable=SC2034,SC2154
# SPDX-FileCopyrightText: 2026 Metals Quiz developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Sourced by the package tests, package_*.sh, after they set cpack, build
# and app_id: packs the built tree in a scratch directory, runs a package's
# linter, and checks the files a package installs.
set -euo pipefail
export LC_ALL=C.UTF-8

scratch=$(mktemp -d "${TMPDIR:-/tmp}/metals-quiz-package.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
trap 'exit 1' INT TERM
# lintian's temporary files, rpm's database and rpmlint's settings would
# otherwise stay behind in /tmp and the user's home.
export TMPDIR=$scratch HOME=$scratch/home
mkdir "$HOME"
fail() { echo "FAIL: $*" >&2; exit 1; }
# Where the package's files are installed.
root=$scratch/root
share=$root/usr/share

# entry <key>: the value of a key in the installed menu entry.
entry() { sed -n "s/^$1=//p" "$share/applications/$app_id.desktop"; }
# The licence that the installed software-centre record declares.
declared_license() {
    sed -n 's:.*<project_license>\(.*\)</project_license>.*:\1:p' "$share/metainfo/$app_id.metainfo.xml"
}

# pack <generator> <extension>: sets package to the one package cpack makes.
pack() {
    # Both cpack's staging area and its output stay in scratch.
    if ! (cd "$scratch" && timeout 90 "$cpack" -G "$1" --config "$build/CPackConfig.cmake" \
            -B "$scratch/out") >"$scratch/cpack.log" 2>&1; then
        cat "$scratch/cpack.log"
        fail "cpack -G $1"
    fi
    local packages=("$scratch"/out/*."$2")
    [ ${#packages[@]} -eq 1 ] && [ -f "${packages[0]}" ] || fail "expected one .$2, got: ${packages[*]}"
    package=${packages[0]}
}

# lint <tolerated> <linter> <argument>...: runs a package linter, which must
# run to its end, and shows all it says. Each error, warning or hardening tag
# in it fails the test, unless it matches the extended regex <tolerated>.
lint() {
    local tolerated=$1
    shift
    "$@" >"$scratch/lint.log" 2>&1 || { cat "$scratch/lint.log"; fail "$1 did not finish"; }
    cat "$scratch/lint.log"
    local faults
    faults=$(grep -E '(^|: )[EW]: |hardening-' "$scratch/lint.log" | grep -Ev "$tolerated") || true
    [ -z "$faults" ] || fail "$1 reports:"$'\n'"$faults"
}

# check_installed [<path>...]: the package installed under root exactly the
# files a desktop needs, each where the desktop looks for it, and the paths
# given, which only this kind of package installs.
check_installed() {
    local expected actual
    expected=$(printf '%s\n' usr/bin/metals-quiz \
        "usr/share/applications/$app_id.desktop" \
        "usr/share/icons/hicolor/scalable/apps/$app_id.svg" \
        "usr/share/metainfo/$app_id.metainfo.xml" \
        usr/share/man/man1/metals-quiz.1.gz usr/share/man/ru/man1/metals-quiz.1.gz \
        usr/share/doc/metals-quiz/copyright usr/share/doc/metals-quiz/changelog.gz "$@" | sort)
    actual=$(cd "$root" && find usr ! -type d | sort)
    [ "$actual" = "$expected" ] \
        || fail "installed files, against those expected:"$'\n'"$(diff <(echo "$expected") <(echo "$actual"))"

    local program=$root/usr/bin/metals-quiz
    [ -x "$program" ] || fail "/usr/bin/metals-quiz is not executable"
    if readelf -d "$program" | grep -E 'R(UN)?PATH'; then
        fail "the installed program carries a library search path"
    fi
    if readelf -S "$program" | grep -E '\.symtab|\.debug|\.comment'; then
        fail "the installed program keeps symbols, debug information or the compiler's note"
    fi

    # The menu entry must start the installed program and show the installed icon.
    [ "$(entry Exec | cut -d' ' -f1)" = metals-quiz ] || fail "Exec=$(entry Exec)"
    [ -f "$share/icons/hicolor/scalable/apps/$(entry Icon).svg" ] || fail "no icon for Icon=$(entry Icon)"
    # Catches a metainfo whose launchable names no installed menu entry.
    appstreamcli validate-tree --no-net "$root" >"$scratch/appstream.log" 2>&1 \
        || { cat "$scratch/appstream.log"; fail "appstreamcli validate-tree"; }

    # man reads both pages without a warning; each is in its own language.
    local page heading warnings
    for page in man1/metals-quiz.1.gz:NAME ru/man1/metals-quiz.1.gz:ИМЯ; do
        heading=${page#*:} page=$share/man/${page%:*}
        warnings=$(man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null) \
            || fail "man cannot read $page"
        [ -z "$warnings" ] || fail "man warns on $page: $warnings"
        zcat "$page" | grep -x "\.SH $heading" >/dev/null || fail "$page has no .SH $heading"
        zcat "$page" | grep -F "($(declared_license))" >/dev/null \
            || fail "$page does not state the licence $(declared_license)"
    done
    grep -qxF "License: $(declared_license)" "$share/doc/metals-quiz/copyright" \
        || fail "the copyright file does not state the licence $(declared_license)"
}
