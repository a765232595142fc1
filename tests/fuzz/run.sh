#!/usr/bin/env bash
# Builds the FormatLunarText fuzzer with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs it for a bounded time:
#   tests/fuzz/run.sh [SECONDS] [BUILD_DIR]
# Exits non-zero on a crash, a sanitizer report or a wrong text.
set -euo pipefail

seconds=${1:-20}
root=$(cd "$(dirname "$0")/../.." && pwd)
out=${2:-$root/build/fuzz}
mkdir -p "$out/corpus"

sources=(
    "$root/tests/fuzz/format_lunar_fuzz.cpp"
    "$root/src/display/civil_date.cpp"
    "$root/src/display/astronomy.cpp"
    "$root/src/display/solar_terms.cpp"
    "$root/src/display/lunar_calendar.cpp"
    "$root/src/display/lunar_year_table.cpp"
    "$root/src/display/lunar_year_builder.cpp"
)
clang++ -std=c++20 -g -O1 -I"$root/src" \
    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
    "${sources[@]}" -o "$out/format_lunar_fuzz"

# Seeds: the default format and the awkward corners (lone and doubled '%').
printf '\x00\x10\x00%%Y年(%%S)%%M%%D %%y-%%m-%%d' >"$out/corpus/default"
printf '\x00\x20\x00%%' >"$out/corpus/lone-percent"
printf '\x00\x30\x00%%%%Y%%%%' >"$out/corpus/doubled"
printf '\xff\xff\xff%%Y' >"$out/corpus/outside"

UBSAN_OPTIONS=halt_on_error=1 "$out/format_lunar_fuzz" "$out/corpus" \
    -max_total_time="$seconds" -max_len=256 -print_final_stats=1 \
    -artifact_prefix="$out/" 2>"$out/fuzz.log" || {
    tail -40 "$out/fuzz.log"
    echo "fuzz: FAILED (artifacts in $out)"
    exit 1
}
grep -E '^stat::number_of_executed_units' "$out/fuzz.log" || true
echo "fuzz: passed (${seconds}s, no findings)"
