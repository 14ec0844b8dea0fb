#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Metals Quiz developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the quiz's web site, build-web/site/, and its .zip, on Debian 12 or
# 13, as root or through sudo. Qt for the web needs Emscripten 3.1.50 or
# later: Debian 13 has it, and builds here with the web preset; Debian 12's
# is older, so there the same command runs in a fresh Debian 13 root
# (.ci/debian13), which copies the site back.
set -euo pipefail
cd "$(dirname "$0")/../.."

emscripten=$(apt-cache policy emscripten 2>/dev/null | sed -n 's/^ *Candidate: *//p')
if [ -n "$emscripten" ] && [ "$emscripten" != "(none)" ] \
   && dpkg --compare-versions "$emscripten" ge 3.1.50; then
    .ci/setup web
    exec cmake --workflow --preset web
fi
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
command -v debootstrap >/dev/null || .ci/setup
exec "${as_root[@]}" .ci/debian13 web
