#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Metals Quiz developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the quiz's Windows Installer package from the staged folder (the
# program with the Qt DLLs and plug-in folders beside it): a per-machine
# install into Program Files with a Start-menu shortcut, replaced in place
# by any later version.
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

scratch=$(mktemp -d "${TMPDIR:-/tmp}/metals-quiz-msi.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

# wixl finds sources only by paths relative to the .wxs files.
ln -s "$stage" "$scratch/stage"
ln -s "$icon" "$scratch/metals-quiz.ico"
cp "$here/metals-quiz.wxs" "$scratch/"
# Every staged file but the program, which the .wxs names itself for its
# shortcut. wixl-heat names each component by its file's path in the
# folder, so a file keeps its component from one version to the next.
(cd "$scratch" && find stage/ -type f ! -path stage/metals-quiz.exe | sort |
    wixl-heat --prefix stage/ --directory-ref INSTALLDIR --component-group StagedFiles \
              --var var.StageDir --win64 >files.wxs)
(cd "$scratch" && wixl --arch x64 --define Version="$version" --define StageDir=stage \
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

# Read the changes back, as Windows Installer will find them.
table() { msiinfo export "$scratch/quiz.msi" "$1" | tr -d '\r'; }
table Property | grep -qxF "ProductName	$product_name" ||
    { echo "$0: the product name did not survive" >&2; exit 1; }
table Shortcut | grep -qF "	quiz|$shortcut_name	" ||
    { echo "$0: the shortcut's name did not survive" >&2; exit 1; }
table Upgrade | grep -qE "	513		WIX_UPGRADE_DETECTED$" ||
    { echo "$0: the upgrade row does not include its own version" >&2; exit 1; }
mv "$scratch/quiz.msi" "$output"
