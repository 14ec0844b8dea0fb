#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Metals Quiz developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs a command in a private Wayland session: a headless Weston compositor
# with its own XDG_RUNTIME_DIR, and a D-Bus session bus of its own (which
# starts the accessibility bus on demand). No X display is reachable from it.
# Weston is stopped when the command ends, and its log shown if that failed.
# Usage: weston_session.sh <command> [argument]...
set -euo pipefail

runtime=$(mktemp -d "${TMPDIR:-/tmp}/metals-quiz-wayland.XXXXXX")
chmod 700 "$runtime"
weston_pid=
# Stops Weston, by force if it hangs, and keeps the script's own status.
stop() {
    local status=$?
    if [ -n "$weston_pid" ]; then
        kill "$weston_pid" 2>/dev/null || true
        for _ in $(seq 50); do kill -0 "$weston_pid" 2>/dev/null || break; sleep 0.1; done
        kill -KILL "$weston_pid" 2>/dev/null || true
        wait "$weston_pid" 2>/dev/null || true
    fi
    rm -rf "$runtime"
    exit "$status"
}
trap stop EXIT
trap 'exit 1' INT TERM

unset DISPLAY WAYLAND_SOCKET QT_QPA_PLATFORM
export XDG_RUNTIME_DIR=$runtime XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=wayland-test
# A headless Weston has no seat, so no keyboard to compose text with; and
# Qt 6.4's Wayland input method reaches for the missing seat when a text
# field is clicked, and crashes. Input methods are off in this session.
export QT_IM_MODULE=none
# --debug lets tests read the scene graph (weston-debug) to see the windows.
weston --backend=headless-backend.so --socket="$WAYLAND_DISPLAY" --width=1280 --height=1024 \
    --idle-time=0 --debug --log="$runtime/weston.log" &
weston_pid=$!
for _ in $(seq 100); do
    [ -S "$runtime/$WAYLAND_DISPLAY" ] && break
    kill -0 "$weston_pid" 2>/dev/null || { cat "$runtime/weston.log" >&2; exit 1; }
    sleep 0.1
done
[ -S "$runtime/$WAYLAND_DISPLAY" ] || { echo "Weston did not start" >&2; exit 1; }

status=0
dbus-run-session -- "$@" || status=$?
[ "$status" -eq 0 ] || { echo "--- weston log" >&2; cat "$runtime/weston.log" >&2; }
exit "$status"
