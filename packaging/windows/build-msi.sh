#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Metals Quiz developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the quiz's Windows Installer package from the staged folder (the
# program with the Qt DLLs and plug-in folders beside it): a per-machine
# install into Program Files with a Start-menu shortcut, replaced in place
# by any later version. The same staged files give the same bytes: the
# package's codes come from its contents and its dates from
# SOURCE_DATE_EPOCH (by default the program's date, which staging sets).
# Usage: build-msi.sh <stage directory> <version a.b.c> <output.msi> <icon.ico>
set -euo pipefail
[ $# -eq 4 ] || { echo "usage: $0 <stage directory> <version> <output.msi> <icon.ico>" >&2; exit 2; }
stage=$(realpath "$1")
version=$2
output=$3
icon=$(realpath "$4")
here=$(dirname "$(realpath "$0")")
export LC_ALL=C.UTF-8

[ -f "$stage/metals-quiz.exe" ] || { echo "$0: no metals-quiz.exe in $stage" >&2; exit 1; }
# Windows Installer compares versions by their first three fields, the
# first two below 256, the third below 65536.
if ! [[ $version =~ ^([0-9]+)\.([0-9]+)\.([0-9]+)$ ]] ||
        ((BASH_REMATCH[1] > 255 || BASH_REMATCH[2] > 255 || BASH_REMATCH[3] > 65535)); then
    echo "$0: version '$version' is not a.b.c with a, b < 256 and c < 65536" >&2
    exit 1
fi

source_date_epoch=${SOURCE_DATE_EPOCH:-$(stat -c %Y "$stage/metals-quiz.exe")}

scratch=$(mktemp -d "${TMPDIR:-/tmp}/metals-quiz-msi.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

# wixl finds sources only by paths relative to the .wxs files.
ln -s "$stage" "$scratch/stage"
ln -s "$icon" "$scratch/metals-quiz.ico"
cp "$here/metals-quiz.wxs" "$scratch/"
# Every staged file but the program, which the .wxs names itself for its
# shortcut. wixl-heat names each component by its file's path in the
# folder, so a file keeps its component from one version to the next; its
# folders get random names, which are replaced by ones taken from their
# paths.
(cd "$scratch" && find stage/ -type f ! -path stage/metals-quiz.exe | LC_ALL=C sort |
    wixl-heat --prefix stage/ --directory-ref INSTALLDIR --component-group StagedFiles \
              --var var.StageDir --win64 |
    perl -MDigest::MD5=md5_hex -pe '
        if (/<Directory Id="dir[0-9A-F]+" Name="([^"]*)">/) {
            push @path, $1;
            my $id = uc md5_hex(join "/", @path);
            s/Id="dir[0-9A-F]+"/Id="dir$id"/;
        }
        pop @path if m{</Directory>};' >files.wxs)
# The product and package codes are GUIDs taken from a hash of all that goes
# into the package (this script's changes too), rather than drawn at random: a rebuild of the same files
# is the same package, and any change makes a new product, which replaces
# the installed one as a later version does.
contents=$( (printf '%s\n' "$version"; cat "$0" "$here/metals-quiz.wxs" "$scratch/files.wxs" "$icon"
             cd "$stage" && find . -type f | LC_ALL=C sort | xargs -d '\n' sha256sum) |
           sha256sum | cut -c1-64)
code_from() {
    printf '%s %s' "$1" "$contents" | sha256sum | tr a-f A-F |
        sed -E 's/^(.{8})(.{4}).(.{3}).(.{3})(.{12}).*/{\1-\2-5\3-8\4-\5}/'
}
(cd "$scratch" && wixl --arch x64 --define Version="$version" --define StageDir=stage \
     --define ProductCode="$(code_from product)" \
     --define IconFile=metals-quiz.ico --define Win64=yes \
     --output quiz.msi metals-quiz.wxs files.wxs) \
     >"$scratch/wixl.log" 2>&1 || { cat "$scratch/wixl.log" >&2; exit 1; }

# wixl stores Cyrillic strings empty, so the Russian names go in afterwards.
# Windows Installer keeps a database's strings in one ANSI code page, which
# must be Cyrillic (1251) for them; msibuild converts the UTF-8 given here.
# A shortcut's file name cannot hold the question mark.
# One more change wixl cannot make: a rebuilt package of the same version
# replaces the installed one too, rather than installing beside it, so the
# upgrade row includes its maximum version (513 = migrate features 1 +
# maximum inclusive 0x200).
product_name='Знаете ли вы металлы?'
shortcut_name='Знаете ли вы металлы'
printf '\r\n\r\n1251\t_ForceCodepage\r\n' >"$scratch/_ForceCodepage.idt"
msibuild "$scratch/quiz.msi" -i "$scratch/_ForceCodepage.idt" \
    -q "UPDATE \`Property\` SET \`Value\` = '$product_name' WHERE \`Property\` = 'ProductName'" \
    -q "UPDATE \`Shortcut\` SET \`Name\` = 'quiz|$shortcut_name' WHERE \`Shortcut\` = 'StartMenuShortcut'"
# Attributes is part of the Upgrade table's key, which SQL cannot update.
(cd "$scratch" && msiinfo export quiz.msi Upgrade |
    sed 's/\t1\t\tWIX_UPGRADE_DETECTED\r$/\t513\t\tWIX_UPGRADE_DETECTED\r/' >Upgrade.idt &&
    msibuild quiz.msi -i Upgrade.idt)

# wixl draws the package code, kept in the summary information, at random.
# msibuild sets it with the subject, author and template, which stay.
summary() { msiinfo suminfo "$scratch/quiz.msi" | sed -n "s/^$1: //p"; }
msibuild "$scratch/quiz.msi" -s "$(summary Subject)" "$(summary Author)" "$(summary Template)" \
    "$(code_from package)"

# wixl dates the package's summary information (created, last saved) now,
# in whole seconds: those two values become SOURCE_DATE_EPOCH. They are the
# only FILETIMEs (property type 0x40) in whole seconds of the last day.
SOURCE_DATE_EPOCH=$source_date_epoch perl -0777 -i -pe '
    my $epoch_offset = 11644473600;
    my $to = pack "Q<", ($ENV{SOURCE_DATE_EPOCH} + $epoch_offset) * 10_000_000;
    my $now = time;
    s{\x40\x00\x00\x00(.{8})}{
        my $filetime = unpack "Q<", $1;
        my $seconds = $filetime / 10_000_000 - $epoch_offset;
        $filetime % 10_000_000 == 0 && $seconds > $now - 86400 && $seconds <= $now
            ? "\x40\x00\x00\x00$to" : "\x40\x00\x00\x00$1"
    }gse' "$scratch/quiz.msi"

# Read the changes back, as Windows Installer will find them.
table() { msiinfo export "$scratch/quiz.msi" "$1" | tr -d '\r'; }
table Property | grep -qxF "ProductName	$product_name" ||
    { echo "$0: the product name did not survive" >&2; exit 1; }
table Shortcut | grep -qF "	quiz|$shortcut_name	" ||
    { echo "$0: the shortcut's name did not survive" >&2; exit 1; }
table Upgrade | grep -qE "	513		WIX_UPGRADE_DETECTED$" ||
    { echo "$0: the upgrade row does not include its own version" >&2; exit 1; }
source_date=$(TZ=UTC LC_ALL=C date -d "@$source_date_epoch" '+%a %b %e %H:%M:%S %Y')
[ "$(TZ=UTC msiinfo suminfo "$scratch/quiz.msi" | grep -cE "^(Created|Last saved): $source_date$")" = 2 ] ||
    { echo "$0: the package is not dated $source_date" >&2; exit 1; }
mv "$scratch/quiz.msi" "$output"
