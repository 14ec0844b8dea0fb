#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Metals Quiz developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Every file of the source tree states its copyright and licence, and every
# licence named has its text in LICENSES/: `reuse lint`. In a Git work tree
# reuse leaves out what Git ignores, the build folders among them. A tree
# without Git's data (an exported copy) is linted as a copy that leaves out
# what its .gitignore files name, as Git would.
# Usage: reuse_lint.sh <source dir>
set -euo pipefail
source_dir=$(realpath "$1")

if command -v git >/dev/null &&
        [ "$(git -C "$source_dir" rev-parse --show-toplevel 2>/dev/null)" = "$source_dir" ]; then
    exec reuse --root "$source_dir" lint
fi

scratch=$(mktemp -d "${TMPDIR:-/tmp}/metals-quiz-reuse.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
# Each .gitignore's patterns as tar's, from the folder it is in: one with a
# leading slash matches in that folder, one without it at any depth below; a
# trailing slash is dropped, and negations are not followed.
excludes=(--anchored --exclude=./.git)
while IFS= read -r -d '' ignore; do
    folder=$(dirname "$ignore")
    while read -r pattern; do
        case $pattern in '' | '#'* | '!'*) continue ;; esac
        pattern=${pattern%/}
        if [[ $pattern == /* ]]; then
            excludes+=(--exclude="$folder$pattern")
        else
            excludes+=(--exclude="$folder/$pattern" --exclude="$folder/*/$pattern")
        fi
    done <"$source_dir/$ignore"
done < <(cd "$source_dir" && find . -name .git -prune -o -name .gitignore -print0)
tar -C "$source_dir" "${excludes[@]}" -cf - . | tar -C "$scratch" -xf -
reuse --root "$scratch" lint
