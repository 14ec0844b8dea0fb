#!/usr/bin/env bash
# Packs the built tree into a .deb, unpacks it the way dpkg installs it, checks
# what a desktop needs from it, then starts the unpacked program on an X server
# of its own and waits for its window.
# Usage: package_deb.sh <cpack> <build dir> <app id>
set -euo pipefail
cpack=$1 build=$2 app_id=$3
title='Знаете ли вы металлы?'
title_pattern='^Знаете ли вы металлы\?$'
export LC_ALL=C.UTF-8

scratch=$(mktemp -d "${TMPDIR:-/tmp}/metals-quiz-deb.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
trap 'exit 1' INT TERM
fail() { echo "FAIL: $*" >&2; exit 1; }

# Both cpack's staging area and its output stay in scratch.
if ! (cd "$scratch" && timeout 90 "$cpack" -G DEB --config "$build/CPackConfig.cmake" \
        -B "$scratch/out") >"$scratch/cpack.log" 2>&1; then
    cat "$scratch/cpack.log"
    fail "cpack"
fi
debs=("$scratch"/out/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one .deb, got: ${debs[*]}"
deb=${debs[0]}

depends=$(dpkg-deb --field "$deb" Depends)
echo "Depends: $depends"
for needed in libqt6core6 libqt6widgets6 fonts-liberation2 qt6-qpa-plugins; do
    grep -Eq "(^|, )$needed( |,|$)" <<<"$depends" || fail "Depends lacks $needed"
done
recommends=$(dpkg-deb --field "$deb" Recommends)
echo "Recommends: $recommends"
grep -Eq "(^|, )qt6-wayland( |,|$)" <<<"$recommends" || fail "Recommends lacks qt6-wayland"
[ "$(dpkg-deb --field "$deb" Section)" = education ] || fail "section is not education"

root=$scratch/root
dpkg -x "$deb" "$root"
share=$root/usr/share
desktop=$share/applications/$app_id.desktop
for file in usr/bin/metals-quiz "${desktop#"$root"/}" \
        "usr/share/icons/hicolor/scalable/apps/$app_id.svg" \
        "usr/share/metainfo/$app_id.metainfo.xml"; do
    [ -f "$root/$file" ] || fail "the package lacks /$file"
done

if readelf -d "$root/usr/bin/metals-quiz" | grep -E 'R(UN)?PATH'; then
    fail "the installed program carries a library search path"
fi

# The menu entry must start the installed program, show the installed icon
# and match the program's windows (docks group them by WM_CLASS).
entry() { sed -n "s/^$1=//p" "$desktop"; }
exec_program=$(entry Exec | cut -d' ' -f1)
[ -x "$root/usr/bin/$exec_program" ] || fail "Exec=$exec_program is not in /usr/bin"
[ -f "$share/icons/hicolor/scalable/apps/$(entry Icon).svg" ] || fail "no icon for Icon=$(entry Icon)"
wm_class=$(entry StartupWMClass)
# Catches a metainfo whose launchable names no installed menu entry.
appstreamcli validate-tree --no-net "$root" >"$scratch/appstream.log" 2>&1 \
    || { cat "$scratch/appstream.log"; fail "appstreamcli validate-tree"; }

export QUIZ=$root/usr/bin/metals-quiz TITLE=$title TITLE_PATTERN=$title_pattern WM_CLASS=$wm_class
timeout 60 xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" bash -c '
    unset WAYLAND_DISPLAY
    QT_QPA_PLATFORM=xcb "$QUIZ" & quiz=$!
    status=0
    window=$(timeout 20 xdotool search --sync --onlyvisible --name "$TITLE_PATTERN" | head -n1)
    if [ -z "$window" ]; then
        echo "FAIL: no window titled $TITLE within 20 s" >&2; status=1
    elif [ "$(xdotool getwindowname "$window")" != "$TITLE" ]; then
        echo "FAIL: window title is $(xdotool getwindowname "$window")" >&2; status=1
    elif ! xprop -id "$window" WM_CLASS | grep -qF ", \"$WM_CLASS\""; then
        echo "FAIL: StartupWMClass=$WM_CLASS, but $(xprop -id "$window" WM_CLASS)" >&2; status=1
    fi
    kill "$quiz" 2>/dev/null
    for _ in $(seq 50); do kill -0 "$quiz" 2>/dev/null || break; sleep 0.1; done
    kill -KILL "$quiz" 2>/dev/null
    wait "$quiz" 2>/dev/null
    exit $status' || fail "the installed program on X"
echo "PASS: $(basename "$deb")"
