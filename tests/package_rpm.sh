#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Metals Quiz developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Packs the built tree into an .rpm, lints it, installs it into a scratch root
# with rpm and checks what a desktop needs from it.
# Usage: package_rpm.sh <cpack> <build dir> <app id> <rpmlint configuration>
set -euo pipefail
cpack=$1 build=$2 app_id=$3 rpmlint_config=$4
# shellcheck source=packaging.sh
source "$(dirname "$0")/packaging.sh"

pack RPM rpm
rpm -qip "$package"
# rpmlint checks the summary and the URL; the packager is ours to check.
[ "$(rpm -qp --qf '%{PACKAGER}' "$package")" != '(none)' ] || fail "no Packager"
# The summary and the description in English by default, as rpm and
# rpmlint take them, and in Russian for a Russian user: each whole.
english=$(LANGUAGE=C rpm -qp --qf '%{SUMMARY}\n%{DESCRIPTION}' "$package")
russian=$(LANGUAGE=ru_RU rpm -qp --qf '%{SUMMARY}\n%{DESCRIPTION}' "$package")
! grep -qP '\p{Cyrillic}' <<<"$english" || fail "Cyrillic in the English text:"$'\n'"$english"
grep -qP '\p{Cyrillic}' <<<"$russian" && ! grep -qP '\p{Latin}' <<<"$russian" \
    || fail "the Russian text is not all Russian:"$'\n'"$russian"
requires=$(rpm -qp --requires "$package")
# Qt's libraries by soname, as rpmbuild finds them; the font by the
# capability that fontconfig gives it on RPM distributions.
for needed in 'libQt6Core\.so\.6\(\)' 'libQt6Widgets\.so\.6\(\)' 'font\(liberationsans\)$'; do
    grep -Eq "^$needed" <<<"$requires" || fail "Requires lacks $needed"
done
grep -Eq '^libQt6WaylandClient\.so\.6\(\)' <(rpm -qp --recommends "$package") \
    || fail "Recommends lacks Qt's Wayland client library"
# The system owns the directories the files go in; the package owns its own
# documentation and licence directories alone.
owned=$(rpm -qp --qf '[%{FILEMODES:perms} %{FILENAMES}\n]' "$package" | sed -n 's/^d[^ ]* //p')
[ "$owned" = $'/usr/share/doc/metals-quiz\n/usr/share/licenses/metals-quiz' ] \
    || fail "the package owns the directories:"$'\n'"$owned"
# The licence files are marked so, which keeps them where documentation is
# left out (rpm --excludedocs, minimal containers).
licence_files=$(rpm -qp --qf '[%{FILEFLAGS:fflags} %{FILENAMES}\n]' "$package" | sed -n 's/^[^ ]*l[^ ]* //p')
[ "$licence_files" = $'/usr/share/doc/metals-quiz/copyright\n/usr/share/licenses/metals-quiz/COPYING' ] \
    || fail "the files marked %license:"$'\n'"$licence_files"

# We do not sign packages here.
lint ': E: no-signature$' rpmlint --permissive --config "$rpmlint_config" "$package"

rpm --root "$root" --dbpath /var/lib/rpm --nodeps --install "$package"
check_installed usr/share/licenses/metals-quiz/COPYING
grep -q 'GNU GENERAL PUBLIC LICENSE' "$share/licenses/metals-quiz/COPYING" \
    && grep -q 'Version 3, 29 June 2007' "$share/licenses/metals-quiz/COPYING" \
    || fail "/usr/share/licenses/metals-quiz/COPYING is not the GPL, version 3"
[ "$(rpm -qp --qf '%{LICENSE}' "$package")" = "$(declared_license)" ] \
    || fail "License: $(rpm -qp --qf '%{LICENSE}' "$package") is not $(declared_license)"
echo "PASS: $(basename "$package")"
