#!/usr/bin/env bash
# Prints the program's figures in one run: size of tangzhou.exe, the DLLs it
# imports, its PE hardening flags, and its start-up time under Wine against a
# minimal window program built with the same toolchain. Figures only: nothing
# here fails on a slow run.
#
#   bench/run.sh            builds what it needs, then measures
#   TZ_BENCH_RUNS=N         start-ups per program (default 15)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
runs=${TZ_BENCH_RUNS:-15}
ship_build=$root/build/win32
exe=$ship_build/tangzhou.exe
bench_targets=(tangzhou minimal_window_win32 startup_timer_win32)

say() { printf '%s\n' "$*"; }
goal() { if [[ $1 == yes ]]; then printf 'goal met'; else printf 'GOAL NOT MET'; fi; }

build_tree() {  # build dir, then cmake configure arguments
    local dir=$1 log
    shift
    log=$(mktemp)
    if ! { [[ -f $dir/CMakeCache.txt ]] || cmake "$@"; } >"$log" 2>&1 ||
        ! cmake --build "$dir" -j2 --target "${bench_targets[@]}" >>"$log" 2>&1; then
        tail -n 30 "$log" >&2
        rm -f "$log"
        echo "bench: the build in $dir failed" >&2
        exit 1
    fi
    rm -f "$log"
}

say "== tangzhou.exe (32-bit, as shipped) =="
(cd "$root" && build_tree "$ship_build" --preset win32)

bytes=$(stat -c %s "$exe")
kib=$(awk -v b="$bytes" 'BEGIN { printf "%.1f", b / 1024 }')
say "size: $bytes bytes = $kib KiB ($(goal "$( ((bytes <= 256 * 1024)) && echo yes)") <= 256 KiB)"

headers=$(i686-w64-mingw32-objdump -p "$exe")
mapfile -t dlls < <(sed -n 's/^\tDLL Name: //p' <<<"$headers")
foreign=0
say "imports (${#dlls[@]} DLLs):"
for dll in "${dlls[@]}"; do
    case ${dll,,} in
        libstdc++* | libgcc* | libwinpthread*)
            note="COMPILER RUNTIME: should be linked in statically"
            foreign=$((foreign + 1)) ;;
        kernel32.dll | user32.dll | gdi32.dll | comctl32.dll | shell32.dll | shlwapi.dll | \
            ole32.dll | oleaut32.dll | advapi32.dll | msvcrt.dll | uxtheme.dll | version.dll | \
            imm32.dll | comdlg32.dll | winmm.dll | ntdll.dll | api-ms-win-*)
            note="system" ;;
        *)
            note="NOT A KNOWN SYSTEM DLL"
            foreign=$((foreign + 1)) ;;
    esac
    say "  $dll  ($note)"
done
say "imports: $( ((foreign == 0)) && echo "only Windows system DLLs (goal met)" || echo "$foreign not from the system (GOAL NOT MET)")"

flags_hex=$(awk '/^DllCharacteristics/ { print $2 }' <<<"$headers")
flags=$((16#${flags_hex:-0}))
say "DllCharacteristics 0x$flags_hex: DYNAMIC_BASE $( ((flags & 0x40)) && echo set || echo MISSING)," \
    "NX_COMPAT $( ((flags & 0x100)) && echo set || echo MISSING)"

# Windows 7 without the loader update has no SetDefaultDllDirectories: an
# import of it would stop the program from starting there.
if sed -n '/^\tDLL Name: KERNEL32/I,/^$/p' <<<"$headers" | grep -qw SetDefaultDllDirectories; then
    say "SetDefaultDllDirectories: IMPORTED (Windows 7 without the update will not start)"
elif grep -q SetDefaultDllDirectories "$exe"; then
    say "SetDefaultDllDirectories: looked up at run time"
else
    say "SetDefaultDllDirectories: NOT USED (DLLs may load from the program's folder)"
fi

say ""
say "== start-up to a visible window under Wine =="
if [[ ! -f $root/scripts/wine-prefix.sh ]]; then
    say "start-up: not measured (scripts/wine-prefix.sh is missing)"
else
    # shellcheck source=../scripts/wine-prefix.sh
    source "$root/scripts/wine-prefix.sh"
    if ! tz_pick_wine 2>/dev/null; then
        say "start-up: not measured (no Wine starts here)"
    else
        if [[ $TZ_WINEARCH == win64 ]]; then
            say "note: this kernel cannot run 32-bit programs, so both programs are timed as" \
                "64-bit builds of the same sources under wine64"
            (cd "$root" && build_tree "$TZ_WIN_BUILD" "${TZ_WIN_CONFIGURE[@]}")
        fi
        tz_scratch_prefix
        prefix=$TZ_SCRATCH_PREFIX

        title_main=$(sed -n 's/.*kWindow{"\([^"]*\)".*/\1/p' "$root/src/app/window_layout.cpp")
        exit_command=$(sed -n 's/.*kExit = \([0-9]*\);.*/\1/p' "$root/src/app/command_ids.h")
        title_minimal="tangzhou bench: minimal window"

        # A UTF-8 locale, so that Wine passes the Chinese title through intact.
        out=$(LC_ALL=C.UTF-8 WINEPREFIX=$prefix WINEDEBUG=-all "$TZ_WINE" \
            "$TZ_WIN_BUILD/startup_timer_win32.exe" "$runs" \
            "$(tz_winpath "$TZ_WIN_BUILD/tangzhou.exe")" "$title_main" "$exit_command" \
            "$(tz_winpath "$TZ_WIN_BUILD/minimal_window_win32.exe")" "$title_minimal" 0 2>/dev/null | tr -d '\r')
        say "$out"
        # The fastest starts show the programs' own cost when the machine is
        # busy with other work; the goal is stated on the medians.
        awk '$1 == "startup" { median[$2] = $4; fastest[$2] = $6 }
             END {
                 t = median["tangzhou.exe"]; m = median["minimal_window_win32.exe"]
                 if (t == "" || t == "-" || m == "" || m == "-" || m == 0) {
                     print "ratio: not measured (a program did not show its window)"
                 } else {
                     r = t / m
                     printf "ratio of medians tangzhou / minimal window: %.2f (%s <= 1.30)\n", r,
                            (r <= 1.30 ? "goal met" : "GOAL NOT MET")
                     printf "ratio of fastest starts: %.2f\n",
                            fastest["tangzhou.exe"] / fastest["minimal_window_win32.exe"]
                 }
             }' <<<"$out"
        say "load average during the run: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
    fi
fi

if [[ -x $root/bench/lunar_bench.sh ]]; then
    say ""
    "$root/bench/lunar_bench.sh"
elif [[ -f $root/bench/lunar_bench.sh ]]; then
    say ""
    bash "$root/bench/lunar_bench.sh"
fi
