#!/usr/bin/env bash
# Soaks the status bar clock under Wine: at least 100,000 clock ticks sent to
# the running program, its private memory before and after, a check that a
# tick leaves only the status bar's pane to repaint, and a check that the
# program still updates and paints the pane afterwards (a handle leaked per
# tick would have run out the GDI table by then; GetGuiResources reads 0
# under Wine, so this is how it shows).
#
#   bench/soak_clock.sh          builds what it needs, then soaks
#   TZ_SOAK_TICKS=N              ticks to send (default 100000)
#   TZ_SOAK_SAMPLES=N            redraw samples (default 20)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
ticks=${TZ_SOAK_TICKS:-100000}
samples=${TZ_SOAK_SAMPLES:-20}

# shellcheck source=../scripts/wine-prefix.sh
source "$root/scripts/wine-prefix.sh"
tz_pick_wine
tz_build_windows_targets tangzhou soak_clock_win32
build=$TZ_BUILD
tz_scratch_prefix
prefix=$TZ_SCRATCH_PREFIX

echo "soak: $ticks ticks, $samples redraw samples, $TZ_WINEARCH build in $build"
WINEPREFIX=$prefix WINEDEBUG=-all "$TZ_WINE" "$build/soak_clock_win32.exe" \
    "$(tz_winpath "$build/tangzhou.exe")" "$ticks" "$samples" 2>/dev/null | tr -d '\r'
