# shellcheck shell=bash disable=SC2034,SC2154
# SPDX-FileCopyrightText: 2026 Metals Quiz developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Sourced by the Wine tests of the Windows package, wine_msi.sh and
# wine_quiz.sh, inside wine_session.sh, after they set stage (the staged
# folder), icon (the .ico) and probe (win32probe.exe): builds .msi packages
# from the staged folder, installs and removes them with msiexec as an
# administrator deploys them, and reads what they leave behind.
# shellcheck source=wine_test.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine_test.sh"

product_name='Знаете ли вы металлы?'
shortcut_name='Знаете ли вы металлы'
publisher='Metals Quiz developers'
install_dir_windows='C:\Program Files\Metals Quiz'
program_windows="$install_dir_windows\\metals-quiz.exe"

# windows_path <name>: a Windows path, or an environment variable's value,
# as Wine sees it from Linux.
windows_path() { winepath -u "$(wine cmd /c echo "$1" | tr -d '\r')"; }
program_files=$(windows_path '%ProgramW6432%')
install_dir=$(winepath -u "$install_dir_windows")
# Windows puts a per-machine package's shortcuts in the Start menu of all
# users; Wine's msi puts them in the installing user's. Both are searched.
start_menus=("$(windows_path '%ProgramData%')/Microsoft/Windows/Start Menu/Programs"
             "$(windows_path '%AppData%')/Microsoft/Windows/Start Menu/Programs")

# build_msi <version>: builds the package from the staged folder with that
# version, and prints its path.
build_msi() {
    local msi=$scratch/metals-quiz-$1.msi
    "$(dirname "${BASH_SOURCE[0]}")/../packaging/windows/build-msi.sh" "$stage" "$1" "$msi" "$icon" ||
        fail "build-msi.sh $1"
    echo "$msi"
}

# msiexec <option> <package>: installs (/i) or removes (/x) it silently.
msiexec() {
    local status=0
    wine msiexec "$1" "$(winepath -w "$2")" /qn /l*v "$(winepath -w "$scratch/msiexec.log")" ||
        status=$?
    if [ $status -ne 0 ]; then
        tail -n 40 "$scratch/msiexec.log" >&2 || true
        fail "msiexec $1 $(basename "$2") exited with $status"
    fi
}

# uninstall_entries: each entry of Apps & Features that carries the product's
# name, one line each: "<DisplayName>|<DisplayVersion>|<Publisher>".
# regedit's export is Unicode; reg.exe would print the console's code page.
uninstall_entries() {
    local key='HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall'
    wine regedit /E "$(winepath -w "$scratch/uninstall.reg")" "$key"
    iconv -f UTF-16 -t UTF-8 "$scratch/uninstall.reg" | tr -d '\r' | awk -F'"="' '
        function flush() { if (name == product) print name "|" version "|" publisher }
        /^\[/ { flush(); name = version = publisher = "" }
        $1 == "\"DisplayName" { name = substr($2, 1, length($2) - 1) }
        $1 == "\"DisplayVersion" { version = substr($2, 1, length($2) - 1) }
        $1 == "\"Publisher" { publisher = substr($2, 1, length($2) - 1) }
        END { flush() }' product="$product_name"
}

# shortcuts: the quiz's shortcuts in the Start menus, one path a line.
shortcuts() { find "${start_menus[@]}" -name "$shortcut_name.lnk" 2>/dev/null; }

# snapshot <file>: what Program Files and the Start menus hold.
snapshot() { find "$program_files" "${start_menus[@]}" 2>/dev/null | sort >"$1"; }

# check_installed <version>: one entry in Apps & Features with the Russian
# name, that version and the publisher; every staged file in Program Files;
# one Start-menu shortcut with the Russian name, the program as its target
# and an icon that exists.
check_installed() {
    local entries
    entries=$(uninstall_entries)
    [ "$entries" = "$product_name|$1|$publisher" ] ||
        fail "Apps & Features, expected \"$product_name|$1|$publisher\", got: \"$entries\""
    (cd "$stage" && find . -type f) | while read -r file; do
        cmp -s "$stage/$file" "$install_dir/$file" || fail "not installed as staged: $file"
    done
    local links
    mapfile -t links < <(shortcuts)
    [ ${#links[@]} -eq 1 ] || fail "expected one shortcut \"$shortcut_name.lnk\", got: ${links[*]}"
    wine "$probe" shortcut "$(winepath -w "${links[0]}")" | tr -d '\r' >"$scratch/shortcut"
    grep -qxF "target $program_windows" "$scratch/shortcut" ||
        fail "the shortcut does not start $program_windows: $(cat "$scratch/shortcut")"
    local shortcut_icon
    shortcut_icon=$(sed -n 's/^icon //p' "$scratch/shortcut")
    if [ -z "$shortcut_icon" ] || [ ! -s "$(winepath -u "$shortcut_icon")" ]; then
        fail "the shortcut's icon is missing: \"$shortcut_icon\""
    fi
    echo "installed $1: \"$entries\", shortcut \"${links[0]##*/}\""
}

# check_removed <snapshot before install>: no entry left in Apps & Features,
# and Program Files and the Start menus as they were before the install.
check_removed() {
    [ -z "$(uninstall_entries)" ] || fail "still in Apps & Features: $(uninstall_entries)"
    snapshot "$scratch/after"
    diff "$1" "$scratch/after" >&2 || fail "left behind or removed (> or <) by the uninstall"
    echo "removed, nothing left behind"
}
