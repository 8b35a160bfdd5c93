#!/bin/sh
# promtool, as Prometheus' own check, accepts vext-cli's --openmetrics output: the golden outputs of
# every kind, and a real run of this machine written with -o as the node exporter would read it.
# Usage: check_openmetrics.sh VEXT_CLI DATA_DIR
set -eu
cli=$1 data=$2
command -v promtool >/dev/null || { echo "promtool is missing: install the prometheus package (scripts/packages.sh)" >&2; exit 1; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
for golden in "$data"/*openmetrics*.txt; do
    sed -n '/^--- stdout$/,/^--- stderr$/p' "$golden" | sed '1d;$d' > "$dir/golden.prom"
    promtool check metrics < "$dir/golden.prom" || { echo "promtool refuses $golden" >&2; exit 1; }
done
for prom in "$data"/*.prom; do
    promtool check metrics < "$prom" || { echo "promtool refuses $prom" >&2; exit 1; }
done
"$cli" processor --openmetrics -o "$dir/processor.prom"
"$cli" bench cache --openmetrics -o "$dir/cache.prom"
for prom in "$dir"/processor.prom "$dir"/cache.prom; do
    promtool check metrics < "$prom" || { echo "promtool refuses $prom" >&2; exit 1; }
done
grep -q '^vext_cache_bytes_per_second{block_bytes="2048",method="MOVSD",threads="1"} ' "$dir/cache.prom"
echo "promtool accepts every OpenMetrics output"
