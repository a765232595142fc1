#!/usr/bin/env bash
# Compares our lunar calendar engine with an independent one, for every day
# of the supported range (and a few days either side) and every solar term
# of 1901..2048:
#   tests/reference/check.sh path/to/lunardump
# The reference is the npm package pinned in package-lock.json. Our year
# table and solar terms are NOT derived from it: they come from our own
# astronomy (src/display/astronomy.cpp, tools/lunar_table_gen), so an
# agreement here is two independent computations agreeing.
# Exits non-zero on any difference or on any failure to run either side.
set -euo pipefail

if [[ $# -ne 1 || ! -x "$1" ]]; then
    echo "usage: $0 path/to/lunardump" >&2
    exit 2
fi
lunardump=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
here=$(cd "$(dirname "$0")" && pwd)
# Installs and outputs go next to the tool (its build tree), not into the sources.
work=${TZ_REFERENCE_WORKDIR:-$(dirname "$lunardump")/lunar-reference}
mkdir -p "$work"
cp "$here/package.json" "$here/package-lock.json" "$here/reference.js" "$work/"

cd "$work"
if ! npm ci --no-audit --no-fund --cache "$work/npm-cache" --prefer-offline >npm.log 2>&1; then
    cat npm.log >&2
    echo "reference check: npm ci failed" >&2
    exit 1
fi

days_from=1901-02-01
days_to=2049-01-31
terms_from=1901
terms_to=2048

"$lunardump" "$days_from" "$days_to" >ours-days.txt
node reference.js "$days_from" "$days_to" >reference-days.txt
"$lunardump" --terms "$terms_from" "$terms_to" >ours-terms.txt
node reference.js --terms "$terms_from" "$terms_to" >reference-terms.txt

status=0
report() {  # name ours reference
    local lines differing
    lines=$(wc -l <"$2")
    if [[ "$lines" -ne $(wc -l <"$3") || "$lines" -eq 0 ]]; then
        echo "reference check: $1: line counts differ ($lines vs $(wc -l <"$3"))"
        status=1
        return
    fi
    differing=$(diff "$2" "$3" | grep -c '^<' || true)
    echo "reference check: $1: $lines lines compared, $differing differ"
    if [[ "$differing" -ne 0 ]]; then
        diff "$2" "$3" | head -20
        status=1
    fi
}
report "days $days_from..$days_to" ours-days.txt reference-days.txt
report "solar terms $terms_from..$terms_to" ours-terms.txt reference-terms.txt
if [[ $status -eq 0 ]]; then
    echo "reference check: passed"
else
    echo "reference check: FAILED (outputs kept in $work)"
fi
exit $status
