#!/usr/bin/env bash
# Whole-process time of `brevant-cli statement FILE --json` against the common npm MT940 reader
# (mt940-js) on the benchmark's 10,000-transaction statement; best of five runs each.
# mt940-js is installed by this script alone, into a folder under /tmp (MT940JS_DIR), never
# into the build or the repository. Needs node and npm.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${BUILD_DIR:-$root/build}"
dir="${MT940JS_DIR:-/tmp/brevant-mt940js}"
n="${1:-10000}"

if [ ! -d "$dir/node_modules/mt940-js" ]; then
    mkdir -p "$dir"
    npm install --prefix "$dir" --no-audit --no-fund --silent mt940-js >/dev/null
fi
cat >"$dir/czytaj.js" <<'JS'
// Reads the statement with mt940-js and prints it as JSON, as `statement --json` does.
const fs = require('fs');
const mt940 = require('mt940-js');
mt940.read(fs.readFileSync(process.argv[2])).then((s) => {
    process.stdout.write(JSON.stringify(s));
});
JS

file="$dir/wyciag-$n.sta"
"$build/bench/statement/bench_statement" --zapisz "$file" "$n"

# Best of five wall-clock times of a command, in milliseconds.
best() {
    local best=""
    for _ in 1 2 3 4 5; do
        local t0 t1 ms
        t0=$(date +%s%N)
        "$@" >/dev/null
        t1=$(date +%s%N)
        ms=$(((t1 - t0) / 1000000))
        if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
    done
    echo "$best"
}

cli="$build/src/cli/brevant-cli"
json=$(best "$cli" statement "$file" --json)
plain=$(best "$cli" statement "$file")
js=$(best node "$dir/czytaj.js" "$file")
size=$(stat -c %s "$file")
echo "file: $n transactions, $size bytes"
echo "brevant-cli statement --json: $json ms; without --json: $plain ms"
echo "mt940-js (node, read + JSON): $js ms"
awk -v a="$json" -v b="$plain" -v c="$js" 'BEGIN {
    printf "ratio to mt940-js: %.2f with --json, %.2f without\n", a / c, b / c }'
