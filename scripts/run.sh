#!/usr/bin/env bash
# Builds the program and starts it under Wine. With a display it simply runs
# until you choose "退出". Without one it runs on a virtual screen, saves a
# screenshot to build/screenshot.png, and stops the program again.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
# shellcheck source=wine-prefix.sh
source "$root/scripts/wine-prefix.sh"

bash scripts/install-deps.sh
tz_pick_wine
cmake "${TZ_WIN_CONFIGURE[@]}" >/dev/null
cmake --build "$TZ_WIN_BUILD" -j2 --target tangzhou tzdriver
if [[ $TZ_WINEARCH == win64 ]]; then
    echo "run: showing the 64-bit build of the same sources ($TZ_WIN_BUILD/tangzhou.exe)"
fi

prefix=$root/build/run-prefix
export WINEDEBUG=-all
if [[ -n "${DISPLAY:-}" ]]; then
    [[ -f $prefix/system.reg ]] || tz_prefix_make "$prefix"
    exec env WINEPREFIX="$prefix" "$TZ_WINE" "$TZ_WIN_BUILD/tangzhou.exe"
fi

program_pid=
stop() {
    if [[ -n $program_pid ]] && kill -0 "$program_pid" 2>/dev/null; then
        WINEPREFIX=$prefix "$TZ_WINE" "$TZ_WIN_BUILD/tzdriver.exe" --quit >/dev/null 2>&1 ||
            kill "$program_pid" 2>/dev/null || true
    fi
    WINEPREFIX=$prefix timeout 20 wineserver -w 2>/dev/null || WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
    tz_xvfb_stop
}
trap stop EXIT

tz_xvfb_start
[[ -f $prefix/system.reg ]] || tz_prefix_make "$prefix"
WINEPREFIX=$prefix "$TZ_WINE" "$TZ_WIN_BUILD/tangzhou.exe" &
program_pid=$!
if ! WINEPREFIX=$prefix "$TZ_WINE" "$TZ_WIN_BUILD/tzdriver.exe" --wait-window; then
    echo "run: the main window did not appear" >&2
    exit 1
fi
sleep 2  # let the window paint and the clock tick once
shot=$root/build/screenshot.png
import -window root "$shot"
echo "run: the program started; screenshot of the virtual screen (1920x1080) saved to $shot"
