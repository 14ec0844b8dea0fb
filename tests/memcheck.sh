#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Metals Quiz developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs a Qt Test program under valgrind's memcheck: any memory error or
# definite leak fails, as does any failing test.
# Usage: memcheck.sh <test program> [test function to leave out]...
# Valgrind does not raise the floating-point status flags, so a test of
# floating-point faults cannot pass under it and is named to be left out.
set -euo pipefail
program=$1
shift
functions=()
while read -r function; do
    function=${function%"()"}
    for left_out in "$@"; do
        [ "$function" = "$left_out" ] && continue 2
    done
    functions+=("$function")
done < <("$program" -functions)
[ ${#functions[@]} -gt 0 ] || { echo "no test functions in $program" >&2; exit 1; }
exec valgrind --error-exitcode=1 --leak-check=full --errors-for-leak-kinds=definite \
    "$program" "${functions[@]}"
