#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Metals Quiz developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The quiz started from a copy of its folder whose Qt Windows plugin is
# missing or damaged, under Wine, as a user meets it: a desktop program has
# no console, so a message box gives the report in Russian and English; the
# program waits for its OK, then exits with status 1, the same report on
# stderr. Run inside wine_session.sh:
#   wine_session.sh wine_startup.sh <stage directory> <win32probe.exe>
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 <stage directory> <win32probe.exe>" >&2; exit 2; }
stage=$1 probe=$2
# shellcheck source=wine_test.sh
source "$(dirname "$0")/wine_test.sh"
title='Знаете ли вы металлы?'
report=('metals-quiz: не удалось открыть окно: нет графического экрана (модуль platforms\qwindows.dll отсутствует или повреждён).'
        'metals-quiz: cannot open the window: no graphical display (platforms\qwindows.dll is missing or damaged).')

for damage in missing truncated; do
    folder=$scratch/$damage
    cp -r "$stage" "$folder"
    plugin=$folder/platforms/qwindows.dll
    case $damage in
        missing) rm "$plugin" ;;
        # Half of it, as a copy cut short leaves it.
        truncated) truncate --size=$(($(stat --format=%s "$plugin") / 2)) "$plugin" ;;
    esac
    (cd "$folder" && exec wine metals-quiz.exe 2>"$folder.stderr") &
    quiz=$!
    find_window "$title" 30 "$folder.box"
    # The box's static text holds the report, a line each.
    for line in "text ${report[0]}" "${report[1]}"; do
        grep -qxF -e "$line" "$folder.box" || fail "$damage: the box lacks \"$line\": $(cat "$folder.box")"
    done
    kill -0 "$quiz" 2>/dev/null || fail "$damage: the program ended before the box's OK"
    xdotool key Return
    expect_exit "$quiz" 1
    # The C runtime writes stderr with Windows line ends.
    tr -d '\r' <"$folder.stderr" >"$folder.stderr.lines"
    for line in "${report[@]}"; do
        grep -qxF -e "$line" "$folder.stderr.lines" ||
            fail "$damage: stderr lacks \"$line\": $(cat "$folder.stderr.lines")"
    done
    echo "$damage plugin: the box, then exit status 1; the box read:"
    cat "$folder.box"
done
