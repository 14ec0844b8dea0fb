#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Metals Quiz developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The .msi as a school's administrator deploys it, under Wine: installed
# silently, replaced in place by a later version and by a rebuild of the same
# version, and removed silently without a trace. Run inside wine_session.sh:
#   wine_session.sh wine_msi.sh <stage directory> <icon.ico> <win32probe.exe>
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: $0 <stage directory> <icon.ico> <win32probe.exe>" >&2; exit 2; }
stage=$1 icon=$2 probe=$3
# shellcheck source=wine_install.sh
source "$(dirname "$0")/wine_install.sh"

first=$(build_msi 1.0.0)
later=$(build_msi 1.0.1)
snapshot "$scratch/before"

msiexec /i "$first"
check_installed 1.0.0
msiexec /i "$later"
check_installed 1.0.1
# A rebuilt package of the same version with any change in it has product
# and package codes of its own, taken from its contents, and replaces the
# installed one; a rebuild with no change is the same package.
cp "$later" "$scratch/built-before.msi"
cmp -s "$scratch/built-before.msi" "$(build_msi 1.0.1)" || fail "two builds of the same files differ"
changed=$scratch/changed-stage
cp -r "$stage" "$changed"
echo "A change in a rebuild." >>"$changed/COPYING.txt"
rebuilt=$(stage=$changed build_msi 1.0.1)
msiexec /i "$rebuilt"
stage=$changed check_installed 1.0.1

msiexec /x "$rebuilt"
check_removed "$scratch/before"
