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
# A reader that leaves after the first line, as `| head -1` does: the rows are lost, said once with
# status 2, and the file is saved whole all the same.
status=0
"$cli" bench cache -o "$dir/piped.cache" 2>"$dir/err.txt" | head -n 1 >/dev/null || status=${PIPESTATUS[0]}
[ "$status" -eq 2 ] || { echo "piped: status $status"; exit 1; }
[ "$(stat -c %s "$dir/piped.cache")" -eq 316 ] || { echo "piped: the file was not saved whole"; exit 1; }
[ "$(cat "$dir/err.txt")" = "vext-cli: cannot write to standard output: Broken pipe; the output was lost" ] ||
    { echo "piped: $(cat "$dir/err.txt")"; exit 1; }
echo "piped: status 2, the loss said once, the file saved"
