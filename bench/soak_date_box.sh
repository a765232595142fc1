#!/usr/bin/env bash
# Soaks the lunar date box's drop-down under Wine: opens it, browses (year
# and month arrows, the year and month lists, hovering) and closes it (Esc,
# a press outside, a pick) TZ_SOAK_CYCLES times, sending the messages back
# to back. Each opening creates the drop-down's fonts and drawing surface
# and each closing frees them: 20,000 openings run out the GDI handle table
# (Windows allows 10,000 a process, older Wine 16,384) if a handle leaked per
# opening, and show any leak of a few bytes in the private memory, which is
# printed before and after. Then the drop-down must still paint the same
# picture as at first, and still pick a day. GetGuiResources reads 0 under
# Wine, so this is how a leak shows.
#
#   bench/soak_date_box.sh       builds what it needs, then soaks
#   TZ_SOAK_CYCLES=N             openings (default 20000; about 30 ms each)
#   TZ_SOAK_BUILD=DIR            a configured Windows build tree to use
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export TZ_SOAK_CYCLES=${TZ_SOAK_CYCLES:-20000}

# shellcheck source=../scripts/wine-prefix.sh
source "$root/scripts/wine-prefix.sh"
tz_pick_wine
tz_build_windows_targets tangzhou tzdriver
build=$TZ_BUILD
tz_scratch_prefix
prefix=$TZ_SCRATCH_PREFIX

echo "soak: $TZ_SOAK_CYCLES drop-down openings, $TZ_WINEARCH build in $build"
WINEPREFIX=$prefix WINEDEBUG=-all "$TZ_WINE" "$build/tzdriver.exe" \
    "$(tz_winpath "$build/tangzhou.exe")" "soak: date box" 2>/dev/null | tr -d '\r'
