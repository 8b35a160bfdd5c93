#!/usr/bin/env bash
# One real run of the CPU and Cache suites through vext-cli, each saved to a file and shown again:
# the file has its record's size, and the rows read back are the rows the run printed.
set -euo pipefail
cli="$1"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
declare -A record_size=([cpu]=160 [cache]=316)
for suite in cpu cache; do
    "$cli" bench "$suite" -o "$dir/run.$suite" > "$dir/bench.txt"
    size=$(stat -c %s "$dir/run.$suite")
    [ "$size" -eq "${record_size[$suite]}" ] || { echo "$suite: file of $size bytes"; exit 1; }
    "$cli" show "$dir/run.$suite" > "$dir/show.txt"
    head -n 1 "$dir/bench.txt" | grep -q '^Your System : .* MHz.* Mb RAM  on WinNT$' || { echo "$suite: no summary line"; exit 1; }
    if ! diff <(tail -n +2 "$dir/bench.txt") <(tail -n +2 "$dir/show.txt"); then
        echo "$suite: the saved rows differ from the rows of the run"
        exit 1
    fi
    rows=$(grep -c -E '(ms\)|sec|Mb/sec)$' "$dir/bench.txt")
    echo "$suite: $rows result rows, saved and read back alike"
done
