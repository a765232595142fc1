#!/usr/bin/env bash
# Wine for the Windows-side tests: which Wine and build to use, a virtual
# screen, and a ready test prefix.
#
# Source it for the functions (scripts/test.sh, scripts/run.sh,
# tests/e2e/run.sh do), or run it to make a prefix by hand:
#   scripts/wine-prefix.sh DIR     (DISPLAY must be set or Xvfb is started)
#
# The prefix it makes:
#   - a virtual desktop "Default" of 1920x1080, so that every program started
#     with plain wine shares one desktop and keeps its own exit code;
#   - the dialog fonts mapped to WenQuanYi Micro Hei (Chinese renders) and
#     marlett.ttf for the caption buttons;
#   - http and https opened by tests/e2e/log-url.sh, which appends each
#     address to drive_c/tz-urls.log (or $TZ_URL_LOG). `tz_url_handler DIR
#     refuse` points them at a handler that does not exist instead: the shell
#     then refuses (ShellExecute returns 2). A handler that starts and fails is
#     no refusal: the shell has already reported success.

TZ_ROOT=${TZ_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}

# False when 32-bit x86 programs would run through an emulator registered
# with binfmt_misc (it takes precedence over the kernel's own loader): wine32
# starts there but cannot map its shared user data and fails to boot.
tz_runs_32bit_natively() {
    local entry
    for entry in /proc/sys/fs/binfmt_misc/*; do
        [[ -f $entry && $entry != */register && $entry != */status ]] || continue
        grep -qx enabled "$entry" 2>/dev/null &&
            grep -qx 'magic 7f454c4601010100000000000000000002000300' "$entry" 2>/dev/null &&
            return 1
    done
    return 0
}

# Picks the Wine loader and the matching build. The shipped program is 32-bit
# and runs under wine32; a kernel with 32-bit emulation switched off cannot
# start wine32 at all, and then a 64-bit build of the same sources runs under
# wine64. Sets TZ_WINE, TZ_WINEARCH, TZ_WIN_BUILD and TZ_WIN_CONFIGURE (the
# cmake arguments for that build).
tz_pick_wine() {
    if tz_runs_32bit_natively && /usr/lib/wine/wine --version >/dev/null 2>&1; then
        TZ_WINE=/usr/lib/wine/wine
        TZ_WINEARCH=win32
        TZ_WIN_BUILD=$TZ_ROOT/build/win32
        TZ_WIN_CONFIGURE=(--preset win32)
    elif [[ -x /usr/lib/wine/wine64 ]]; then
        TZ_WINE=/usr/lib/wine/wine64
        TZ_WINEARCH=win64
        TZ_WIN_BUILD=$TZ_ROOT/build/win64
        TZ_WIN_CONFIGURE=(-S "$TZ_ROOT" -B "$TZ_WIN_BUILD"
            -DCMAKE_TOOLCHAIN_FILE="$TZ_ROOT/cmake/toolchain-x86_64-mingw32.cmake"
            -DCMAKE_BUILD_TYPE=MinSizeRel)
        echo "wine: this machine cannot run wine32 (no native 32-bit support);" \
             "the Windows-side tests run a 64-bit build under wine64" >&2
    else
        echo "wine: neither wine32 nor wine64 starts; run scripts/install-deps.sh" >&2
        return 1
    fi
    export TZ_WINE TZ_WINEARCH TZ_WIN_BUILD
}

TZ_XVFB_PID=
# Starts Xvfb on a free display when DISPLAY is unset; tz_xvfb_stop ends it.
tz_xvfb_start() {
    [[ -n "${DISPLAY:-}" ]] && return 0
    local n=99
    while [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
    TZ_XVFB_PID=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 50); do
        xdotool getdisplaygeometry >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "xvfb: display $DISPLAY did not come up" >&2
    return 1
}

tz_xvfb_stop() {
    if [[ -n "$TZ_XVFB_PID" ]]; then
        kill "$TZ_XVFB_PID" 2>/dev/null || true
        wait "$TZ_XVFB_PID" 2>/dev/null || true
        TZ_XVFB_PID=
        unset DISPLAY
    fi
}

# Points http and https of the prefix DIR at the logging handler ("log") or
# at a handler that does not exist ("refuse").
tz_url_handler() {
    local dir=$1 mode=$2 cmd
    case $mode in
        log) cmd="$TZ_ROOT/tests/e2e/log-url.sh \"%1\"" ;;
        refuse) cmd="$TZ_ROOT/tests/e2e/no-such-handler.sh \"%1\"" ;;
        *) echo "tz_url_handler: log or refuse, not $mode" >&2; return 1 ;;
    esac
    local proto
    for proto in http https; do
        WINEPREFIX=$dir WINEDEBUG=-all "$TZ_WINE" reg add "HKCR\\$proto\\shell\\open\\command" \
            /ve /d "$cmd" /f >/dev/null
    done
}

# Makes a ready test prefix in DIR (replacing what is there) and waits until
# its wineserver has gone.
tz_prefix_make() {
    local dir=$1
    rm -rf "$dir"
    mkdir -p "$(dirname "$dir")"
    export WINEDEBUG=-all
    WINEPREFIX=$dir WINEARCH=$TZ_WINEARCH "$TZ_WINE" wineboot -i >/dev/null 2>&1 || {
        echo "wine: wineboot failed for $dir" >&2
        return 1
    }
    local reg=$dir/drive_c/tz-setup.reg font
    {
        printf 'Windows Registry Editor Version 5.00\r\n\r\n'
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\r\n"Desktop"="Default"\r\n\r\n'
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\r\n"Default"="1920x1080"\r\n\r\n'
        printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]\r\n'
        for font in "MS Shell Dlg" "MS Shell Dlg 2" "Tahoma" "MS Sans Serif" "System"; do
            printf '"%s"="WenQuanYi Micro Hei"\r\n' "$font"
        done
        printf '\r\n'
    } >"$reg"
    WINEPREFIX=$dir "$TZ_WINE" regedit /S 'C:\tz-setup.reg' >/dev/null 2>&1
    rm -f "$reg"
    cp /usr/share/wine/fonts/marlett.ttf "$dir/drive_c/windows/Fonts/"
    tz_url_handler "$dir" log
    WINEPREFIX=$dir wineserver -w
}

# The Windows path of a file on the Unix side (Wine's Z: drive).
tz_winpath() { printf 'Z:%s' "${1//\//\\}"; }

# Builds TARGETS in the Windows build tree for this machine's Wine (or in
# TZ_SOAK_BUILD, which must be configured already); sets TZ_BUILD.
tz_build_windows_targets() {
    TZ_BUILD=${TZ_SOAK_BUILD:-$TZ_WIN_BUILD}
    if [[ ! -f $TZ_BUILD/CMakeCache.txt ]]; then
        if [[ -n ${TZ_SOAK_BUILD:-} ]]; then
            echo "$TZ_BUILD is not a configured build tree" >&2
            return 1
        fi
        (cd "$TZ_ROOT" && cmake "${TZ_WIN_CONFIGURE[@]}" >/dev/null) || return
    fi
    cmake --build "$TZ_BUILD" -j2 --target "$@" >/dev/null
}

# A throw-away prefix on a virtual screen for one script run: sets
# TZ_SCRATCH_PREFIX; Wine, Xvfb and the folder go when the script exits.
tz_scratch_prefix() {
    TZ_SCRATCH_DIR=$(mktemp -d)
    TZ_SCRATCH_PREFIX=$TZ_SCRATCH_DIR/prefix
    trap tz_scratch_cleanup EXIT
    tz_xvfb_start
    tz_prefix_make "$TZ_SCRATCH_PREFIX"
}
tz_scratch_cleanup() {
    WINEPREFIX=$TZ_SCRATCH_PREFIX wineserver -k 2>/dev/null || true
    tz_xvfb_stop
    rm -rf "$TZ_SCRATCH_DIR"
}

if [[ "${BASH_SOURCE[0]}" == "$0" ]]; then
    set -euo pipefail
    [[ $# == 1 ]] || { echo "usage: $0 PREFIX-DIR" >&2; exit 2; }
    tz_pick_wine
    tz_xvfb_start
    trap tz_xvfb_stop EXIT
    tz_prefix_make "$(realpath -m "$1")"
    echo "prefix ready: $1 ($TZ_WINEARCH)"
fi
