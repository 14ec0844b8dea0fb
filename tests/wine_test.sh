# shellcheck shell=bash disable=SC2154
# SPDX-FileCopyrightText: 2026 Metals Quiz developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Sourced by the Wine tests inside wine_session.sh, after they set probe
# (win32probe.exe): a scratch folder removed on exit, how a test fails, and
# how it watches the program it started.
set -euo pipefail
export LC_ALL=C.UTF-8

scratch=$(mktemp -d "${TMPDIR:-/tmp}/metals-quiz-wine-test.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
trap 'exit 1' INT TERM
fail() { echo "FAIL: $*" >&2; exit 1; }

# find_window <title> <seconds> <file>: waits that long for the window and
# writes what win32probe reads of it to the file.
find_window() {
    wine "$probe" window "$1" "$2" | tr -d '\r' >"$3" || {
        cat "$3" >&2
        fail "no window \"$1\""
    }
}

# expect_exit <pid> <status>: the program started in the background as that
# process ends within 30 s, with that exit status.
expect_exit() {
    local status=0
    timeout 30 tail --pid="$1" -f /dev/null || fail "the program did not end within 30 s"
    wait "$1" || status=$?
    [ "$status" -eq "$2" ] || fail "the program exited with $status, expected $2"
}
