#!/usr/bin/env bash
# Runs the end-to-end driver against the Windows build under Wine, in a fresh
# test prefix, on Xvfb when there is no display.
#   tests/e2e/run.sh [FILTER]     only scenarios whose name contains FILTER
# Expects the Windows build (tangzhou.exe, tzdriver.exe) in $TZ_WIN_BUILD,
# which scripts/wine-prefix.sh picks for this machine.
set -euo pipefail
TZ_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$TZ_ROOT/scripts/wine-prefix.sh"

tz_pick_wine
for exe in tangzhou.exe tzdriver.exe; do
    [[ -f "$TZ_WIN_BUILD/$exe" ]] || { echo "e2e: $TZ_WIN_BUILD/$exe is missing: build it first" >&2; exit 1; }
done

prefix=$TZ_WIN_BUILD/e2e-prefix
cleanup() {
    if [[ -d "$prefix" ]]; then
        WINEPREFIX=$prefix timeout 20 wineserver -w 2>/dev/null || WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
    fi
    tz_xvfb_stop
}
trap cleanup EXIT

tz_xvfb_start
echo "e2e: making a test prefix ($TZ_WINEARCH) on display $DISPLAY"
tz_prefix_make "$prefix"

export WINEPREFIX=$prefix WINEDEBUG=-all
program="Z:${TZ_WIN_BUILD//\//\\}\\tangzhou.exe"
status=0
timeout 900 "$TZ_WINE" "$TZ_WIN_BUILD/tzdriver.exe" "$program" "$@" || status=$?
exit "$status"
