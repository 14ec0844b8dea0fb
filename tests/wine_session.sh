#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Metals Quiz developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs a command against Windows programs in a private Wine session: an Xvfb
# X server and a fresh WINEPREFIX of its own, both removed when the command
# ends. Wine has no Arial, so the prefix maps Arial to its metric twin
# Liberation Sans, as a font substitution a Windows PC could also carry. With
# --dpi N, Wine reports N dots per inch (96 is 100 %, 144 is 150 %).
# Inside, DISPLAY and WINEPREFIX point at the session: run the programs with
# `wine program.exe`.
# Usage: wine_session.sh [--dpi N] <command> [argument]...
set -euo pipefail

dpi=96
if [ "${1:-}" = --dpi ]; then
    dpi=$2
    shift 2
fi

session=$(mktemp -d "${TMPDIR:-/tmp}/metals-quiz-wine.XXXXXX")
xvfb_pid=
stop() {
    local status=$?
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$session"
    exit "$status"
}
trap stop EXIT
trap 'exit 1' INT TERM

# -displayfd: Xvfb picks a free display number and tells it once it listens.
# -noreset: Wine's helper processes come and go; the server must outlive them.
mkfifo "$session/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset \
    3>"$session/display" >"$session/xvfb.log" 2>&1 &
xvfb_pid=$!
read -r -t 20 display_number <"$session/display" || { cat "$session/xvfb.log" >&2; exit 1; }

unset WAYLAND_DISPLAY QT_QPA_PLATFORM
export DISPLAY=:$display_number
export WINEPREFIX=$session/prefix WINEARCH=win64
# No prompts to install Mono or Gecko, and only errors in the log.
export WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all

wine wineboot --init >"$session/wineboot.log" 2>&1 || { cat "$session/wineboot.log" >&2; exit 1; }
printf '%s\r\n' \
    'Windows Registry Editor Version 5.00' '' \
    '[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]' \
    '"Arial"="Liberation Sans"' '' \
    '[HKEY_CURRENT_USER\Control Panel\Desktop]' \
    "\"LogPixels\"=dword:$(printf '%08x' "$dpi")" '' >"$session/settings.reg"
wine regedit /S "$(winepath -w "$session/settings.reg")"
wineserver -w

"$@"
