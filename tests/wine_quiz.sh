#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Metals Quiz developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The quiz as a pupil meets it on a school's Windows PC, under Wine: installed
# from the .msi, started from Program Files, its window of the right size and
# title, every answer typed through the keyboard (the Cyrillic ones with a
# Russian layout) or picked with the mouse, the button pressed, the score
# read, the window closed; then the package removed without a trace.
# Run inside wine_session.sh:
#   wine_session.sh wine_quiz.sh <stage directory> <icon.ico> <win32probe.exe>
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: $0 <stage directory> <icon.ico> <win32probe.exe>" >&2; exit 2; }
stage=$1 icon=$2 probe=$3
# shellcheck source=wine_install.sh
source "$(dirname "$0")/wine_install.sh"
title='Знаете ли вы металлы?'
client_area='722 534'
total=25

# Where each control is clicked, in twips from the client area's top-left
# corner (15 to the pixel at 96 dots per inch): a field or the button at its
# centre, an option on its round button, 120 in from its left. An option's
# place is its frame's plus its own.
declare -A target=(
    [T1]='8407 1267' [T2]='8407 1627' [T3]='8407 1987' [T4]='8407 2347'
    [T5]='8287 5707' [T6]='8287 6067' [Command1]='2107 7627'
    [O3]='8160 3187'  # Frame1 at 120 2880, O3 at 7920 120, 375 high
    [O5]='2040 4147'  # Frame2 at 120 3840, O5 at 1800 120, 375 high
    [O11]='5640 5107' # Frame3 at 120 4800, O11 at 5400 120, 375 high
    [O13]='240 6967'  # Frame4 at 0 6600, O13 at 120 240, 255 high
)
# The answers in question order: the text to type into a field, or an
# option to pick (empty text).
answers=(T1=бронза T2=высокопрочный T3=10 'T4=0,12' O3= O5= O11= 'T5=1,5' T6=алюминий O13=)

# click <control>: a left click on the control.
click() {
    local x y
    read -r x y <<<"${target[$1]}"
    xdotool mousemove $((origin_x + x / 15)) $((origin_y + y / 15)) click 1
    sleep 0.3
}
# copy_text <expected>: copies the text of the field with the focus through
# the clipboard until it reads as expected, for up to 5 s on a busy machine;
# prints what it read last (empty if nothing was copied).
copy_text() {
    local text
    for _ in {1..10}; do
        xdotool key ctrl+a ctrl+c
        sleep 0.5
        text=$({ wine "$probe" clipboard || true; } | tr -d '\r')
        [ "$text" != "$1" ] || break
    done
    echo "$text"
}

msi=$(build_msi 1.0.0)
snapshot "$scratch/before"
msiexec /i "$msi"

# A Russian layout beside the US one, as on a Russian pupil's PC; xdotool
# switches to it for each Cyrillic letter, as the pupil's Alt+Shift does.
# Wine reads the layouts when a program starts.
setxkbmap -layout us,ru
(cd "$install_dir" && exec wine "$program_windows") &
quiz=$!
find_window "$title" 60 "$scratch/window"
read -r _ width height < <(grep '^client ' "$scratch/window")
read -r _ origin_x origin_y < <(grep '^origin ' "$scratch/window")
[ "$width $height" = "$client_area" ] || fail "client area $width × $height, expected ${client_area/ / × }"
echo "window \"$title\", client area $width × $height"

for answer in "${answers[@]}"; do
    control=${answer%%=*} text=${answer#*=}
    click "$control"
    if [ -n "$text" ]; then
        xdotool type --delay 40 "$text"
        typed=$(copy_text "$text")
        [ "$typed" = "$text" ] || fail "$control: typed \"$text\", the field holds \"$typed\""
    fi
done
click Command1
# Tab goes from the button to the score, and selects it.
xdotool key Tab
score=$(copy_text $total)
[ "$score" = "$total" ] || fail "score \"$score\", expected $total"
echo "score $score"

xdotool key alt+F4
expect_exit "$quiz" 0
echo "closed, exit status 0"

msiexec /x "$msi"
check_removed "$scratch/before"
