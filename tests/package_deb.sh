#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Metals Quiz developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Packs the built tree into a .deb, lints it, unpacks it the way dpkg installs
# it, checks what a desktop needs from it, then starts the unpacked program on
# an X server of its own and waits for its window.
# Usage: package_deb.sh <cpack> <build dir> <app id>
set -euo pipefail
cpack=$1 build=$2 app_id=$3
# shellcheck source=packaging.sh
source "$(dirname "$0")/packaging.sh"
title='Знаете ли вы металлы?'
title_pattern='^Знаете ли вы металлы\?$'

pack DEB deb
depends=$(dpkg-deb --field "$package" Depends)
echo "Depends: $depends"
# depends_on <package>...: whether Depends names one of the packages.
depended=$(sed 's/([^)]*)//g' <<<"$depends" | tr ',|' '\n\n' | awk '{ print $1 }')
depends_on() {
    local name
    for name in "$@"; do
        grep -qxF "$name" <<<"$depended" && return 0
    done
    return 1
}
# What Qt loads only at run time, named by hand.
for needed in fonts-liberation2 qt6-qpa-plugins; do
    depends_on "$needed" || fail "Depends lacks $needed"
done
recommends=$(dpkg-deb --field "$package" Recommends)
echo "Recommends: $recommends"
grep -Eq "(^|, )qt6-wayland( |,|$)" <<<"$recommends" || fail "Recommends lacks qt6-wayland"
[ "$(dpkg-deb --field "$package" Section)" = education ] || fail "section is not education"

# Debian's own checker, notes included. A sanitized build goes without
# _FORTIFY_SOURCE, which AddressSanitizer cannot see through; lintian's note
# on that, and only that, is let pass there.
tolerated='^$'
grep -q libasan <<<"$depends" && tolerated=': hardening-no-fortify-functions '
lint "$tolerated" lintian --display-info --fail-on none "$package"

dpkg -x "$package" "$root"
check_installed

# Every library the program needs comes from a package it depends on. The
# packages are found by the libraries, whose names stay when a release
# renames the packages (Debian 13's libqt6core6t64 was Debian 12's
# libqt6core6).
needed=$(objdump -p "$root/usr/bin/metals-quiz" | awk '$1 == "NEEDED" { print $2 }')
for library in libQt6Core libQt6Gui libQt6Widgets; do
    grep -q "^$library\.so\." <<<"$needed" || fail "the program does not need $library:"$'\n'"$needed"
done
for library in $needed; do
    # "package:architecture, ...: path" for each installed file of that name.
    owners=$(dpkg-query --search "*/$library" | sed -n 's/^\([^/]*\): \/.*/\1/p' \
             | tr ',' '\n' | sed 's/^ *//; s/:.*//' | sort -u)
    [ -n "$owners" ] || fail "no installed package has $library"
    # shellcheck disable=SC2086 # one argument for each package
    depends_on $owners || fail "Depends names none of the packages with $library: $owners"
done

export QUIZ=$root/usr/bin/metals-quiz TITLE=$title TITLE_PATTERN=$title_pattern
WM_CLASS=$(entry StartupWMClass)
export WM_CLASS
timeout 60 xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" bash -c '
    unset WAYLAND_DISPLAY
    QT_QPA_PLATFORM=xcb "$QUIZ" & quiz=$!
    status=0
    window=$(timeout 20 xdotool search --sync --onlyvisible --name "$TITLE_PATTERN" | head -n1)
    if [ -z "$window" ]; then
        echo "FAIL: no window titled $TITLE within 20 s" >&2; status=1
    elif [ "$(xdotool getwindowname "$window")" != "$TITLE" ]; then
        echo "FAIL: window title is $(xdotool getwindowname "$window")" >&2; status=1
    elif ! xprop -id "$window" WM_CLASS | grep -qF ", \"$WM_CLASS\""; then
        echo "FAIL: StartupWMClass=$WM_CLASS, but $(xprop -id "$window" WM_CLASS)" >&2; status=1
    fi
    kill "$quiz" 2>/dev/null
    for _ in $(seq 50); do kill -0 "$quiz" 2>/dev/null || break; sleep 0.1; done
    kill -KILL "$quiz" 2>/dev/null
    wait "$quiz" 2>/dev/null
    exit $status' || fail "the installed program on X"
echo "PASS: $(basename "$package")"
