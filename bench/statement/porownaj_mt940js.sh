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

# mt940-js loads tslib at run time without installing it itself.
if [ ! -d "$dir/node_modules/mt940-js" ] || [ ! -d "$dir/node_modules/tslib" ]; then
    mkdir -p "$dir"
    npm install --prefix "$dir" --no-audit --no-fund --silent mt940-js tslib >/dev/null
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
cli="$build/src/cli/brevant-cli"
# Both readers must read the file before they are timed.
node "$dir/czytaj.js" "$file" | grep '"transactions"' >/dev/null
"$cli" statement "$file" --json | grep '"transactions"' >/dev/null

# Best of seven runs of a command: wall-clock and CPU (user + system) milliseconds. On a
# machine shared with other work the CPU time is the steadier figure.
best() {
    local wall="" cpu=""
    for _ in 1 2 3 4 5 6 7; do
        local out w c
        out=$( { /usr/bin/time -f "%e %U %S" "$@" >/dev/null; } 2>&1 | tail -1)
        w=$(awk '{ printf "%d", $1 * 1000 }' <<<"$out")
        c=$(awk '{ printf "%d", ($2 + $3) * 1000 }' <<<"$out")
        if [ -z "$wall" ] || [ "$w" -lt "$wall" ]; then wall=$w; fi
        if [ -z "$cpu" ] || [ "$c" -lt "$cpu" ]; then cpu=$c; fi
    done
    echo "$wall $cpu"
}

read -r json_w json_c < <(best "$cli" statement "$file" --json)
read -r plain_w plain_c < <(best "$cli" statement "$file")
read -r js_w js_c < <(best node "$dir/czytaj.js" "$file")
size=$(stat -c %s "$file")
echo "file: $n transactions, $size bytes; load average $(cut -d' ' -f1 /proc/loadavg)"
echo "brevant-cli statement --json: wall $json_w ms, CPU $json_c ms"
echo "brevant-cli statement (table): wall $plain_w ms, CPU $plain_c ms"
echo "mt940-js (node, read + JSON):  wall $js_w ms, CPU $js_c ms"
awk -v a="$json_w" -v b="$json_c" -v c="$js_w" -v d="$js_c" 'BEGIN {
    printf "brevant-cli --json / mt940-js: %.2f of the wall time, %.2f of the CPU time\n",
        a / c, b / d }'
