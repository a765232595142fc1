#!/usr/bin/env bash
# Formats every day of the lunar range natively and with a widely used
# JavaScript lunar calendar under node, in the same run, and prints both
# figures and their ratio. Goal: under 300 ns a day and at least 100 times
# faster than the library.
#   bench/lunar_bench.sh [BUILD_DIR]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/lunar-bench}
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >"$build.configure.log" 2>&1 ||
    { cat "$build.configure.log"; exit 1; }
cmake --build "$build" --target lunar_format_bench -j2 >/dev/null

work=$build/lunar-bench-node
mkdir -p "$work"
cp "$root/tests/reference/package.json" "$root/tests/reference/package-lock.json" \
    "$root/bench/lunar_format_bench.js" "$work/"
(cd "$work" && npm ci --no-audit --no-fund --cache "$work/npm-cache" --prefer-offline >npm.log 2>&1) ||
    { cat "$work/npm.log"; exit 1; }

native_out=$("$build/lunar_format_bench")
node_out=$(cd "$work" && node lunar_format_bench.js)
echo "$native_out"
echo "$node_out"
native=$(sed -n 's/^native: \([0-9.]*\) ns\/day$/\1/p' <<<"$native_out")
js=$(sed -n 's/^node: \([0-9.]*\) ns\/day$/\1/p' <<<"$node_out")
awk -v n="$native" -v j="$js" 'BEGIN {
    ratio = j / n
    printf "ratio: %.0fx faster than the JavaScript library\n", ratio
    ok = (n < 300 && ratio >= 100)
    printf "goal (<300 ns/day, >=100x): %s\n", ok ? "met" : "NOT met"
    exit ok ? 0 : 1
}'
