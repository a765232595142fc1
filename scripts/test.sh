#!/usr/bin/env bash
# Builds everything and runs every test: the install step, the host build and
# its unit tests, the Windows build, the same unit tests as a Windows program
# under Wine, the extra suites that exist (lunar reference check, fuzzing),
# and the end-to-end suite under Wine on Xvfb. Prints a summary and ends with
# "N passed, N failed"; exits non-zero on any failure.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
logs=$root/build/test-logs
mkdir -p "$logs"

# shellcheck source=wine-prefix.sh
source "$root/scripts/wine-prefix.sh"

total_passed=0
total_failed=0
summary=()

# Adds a step's counts: from a closing "N passed, N failed" line, from
# GoogleTest's "[  PASSED  ] N tests" / "[  FAILED  ] N tests", else the step
# counts as one check. A failing exit status always counts as a failure.
record() {
    local name=$1 status=$2 log passed=0 failed=0 line
    log=$(mktemp)
    tr -d '\r' <"$3" >"$log"  # Windows programs end their lines with CR LF
    line=$(grep -E '^[0-9]+ passed, [0-9]+ failed$' "$log" | tail -n 1)
    if [[ -n $line ]]; then
        passed=${line%% passed*}
        failed=${line#*, }
        failed=${failed%% failed}
    elif grep -qE '^\[  PASSED  \] [0-9]+ test' "$log"; then
        passed=$(grep -E '^\[  PASSED  \] [0-9]+ test' "$log" | tail -n 1 | grep -oE '[0-9]+' | head -n 1)
        failed=$(grep -E '^\[  FAILED  \] [0-9]+ test' "$log" | tail -n 1 | grep -oE '[0-9]+' | head -n 1)
        failed=${failed:-0}
    elif ((status == 0)); then
        passed=1
    fi
    rm -f "$log"
    if ((status != 0 && failed == 0)); then failed=1; fi
    total_passed=$((total_passed + passed))
    total_failed=$((total_failed + failed))
    summary+=("$(printf '%-4s %-34s %5d passed, %d failed' "$( ((status == 0 && failed == 0)) && echo ok || echo FAIL)" "$name" "$passed" "$failed")")
}

# step NAME COMMAND...: runs the command with its output shown and logged.
step() {
    local name=$1 log
    shift
    log=$logs/$(tr -c 'A-Za-z0-9\n' '-' <<<"$name").log
    echo
    echo "=== $name"
    "$@" 2>&1 | tee "$log"
    local status=${PIPESTATUS[0]}
    record "$name" "$status" "$log"
    return "$status"
}

skip() {
    summary+=("$(printf '%-4s %-34s %s' skip "$1" "$2")")
    total_failed=$((total_failed + 1))
}

finish() {
    tz_xvfb_stop
    echo
    echo "=== summary"
    printf '%s\n' "${summary[@]}"
    echo "$total_passed passed, $total_failed failed"
    exit $((total_failed == 0 ? 0 : 1))
}
trap finish EXIT

step "install dependencies" bash scripts/install-deps.sh || exit

host_build() { cmake --preset host && cmake --build build/host -j2; }
if step "host build" host_build; then
    step "unit tests (host)" timeout 900 ./build/host/unit_tests
    if [[ -f tests/reference/check.sh && -x build/host/lunardump ]]; then
        step "lunar reference check" bash tests/reference/check.sh build/host/lunardump
    fi
else
    skip "unit tests (host)" "the host build failed"
fi

if [[ -f tests/fuzz/run.sh ]]; then
    step "fuzzing" bash tests/fuzz/run.sh
fi

# The shipped program: 32-bit, always built.
win32_build() { cmake --preset win32 && cmake --build build/win32 -j2; }
step "win32 build" win32_build
win32_status=$?

tz_pick_wine || exit
if [[ $TZ_WINEARCH == win64 ]]; then
    win64_build() { cmake "${TZ_WIN_CONFIGURE[@]}" && cmake --build "$TZ_WIN_BUILD" -j2; }
    step "win64 build (for wine64)" win64_build
    win_status=$?
else
    win_status=$win32_status
fi

if ((win_status != 0)); then
    skip "unit tests (Wine)" "the Windows build failed"
    skip "end-to-end (Wine)" "the Windows build failed"
    exit
fi

tz_xvfb_start || exit
unit_prefix=$TZ_WIN_BUILD/unit-prefix
unit_tests_wine() {
    tz_prefix_make "$unit_prefix" || return
    WINEPREFIX=$unit_prefix WINEDEBUG=-all timeout 900 "$TZ_WINE" "$TZ_WIN_BUILD/unit_tests.exe"
    local status=$?
    WINEPREFIX=$unit_prefix timeout 20 wineserver -w || WINEPREFIX=$unit_prefix wineserver -k
    return "$status"
}
step "unit tests (Wine, $TZ_WINEARCH)" unit_tests_wine
step "end-to-end (Wine, $TZ_WINEARCH)" bash tests/e2e/run.sh
