#!/usr/bin/env bash
# Runs the memory benchmarks for real inside a control group limited to 24 Mb and checks that each ends
# normally (status 0, not the kernel's out-of-memory kill) with its largest block within its cap: a
# quarter of what the group allows. As root, on a machine whose memory controller can be written
# (cgroup v1 "memory" or v2). Not a CTest test: where no group can be made it cannot run at all.
#
# Usage: scripts/check-limits.sh [VEXT_CLI]      (default build/test/vext-cli)
set -eu
cli=$(realpath "${1:-build/test/vext-cli}")
limit=$((24 << 20))
[ -x "$cli" ] || { echo "no vext-cli at $cli" >&2; exit 2; }
[ "$(id -u)" -eq 0 ] || { echo "check-limits.sh needs root to make a control group" >&2; exit 2; }

# The memory hierarchy: v1's "memory" mount, else v2's; the new group goes below the process's own.
v1=$(awk '$0 ~ / - cgroup / && $NF ~ /(^|,)memory(,|$)/ {print $5; exit}' /proc/self/mountinfo)
v2=$(awk '$0 ~ / - cgroup2 / {print $5; exit}' /proc/self/mountinfo)
if [ -n "$v1" ]; then
    own=$(awk -F: '$2 ~ /(^|,)memory(,|$)/ {print $3; exit}' /proc/self/cgroup)
    limit_file=memory.limit_in_bytes
    parents=("$v1$own" "$v1")
elif [ -n "$v2" ]; then
    own=$(awk -F: '$1 == "0" {print $3; exit}' /proc/self/cgroup)
    limit_file=memory.max
    parents=("$v2$(dirname "$own")" "$v2")
else
    echo "no memory control group hierarchy is mounted" >&2
    exit 2
fi
group=
for parent in "${parents[@]}"; do
    if mkdir "$parent/vext-limits-$$" 2>/dev/null; then group=$parent/vext-limits-$$; break; fi
done
[ -n "$group" ] || { echo "no control group could be made under ${parents[*]}" >&2; exit 2; }
trap 'rmdir "$group" 2>/dev/null || true' EXIT
echo "$limit" >"$group/$limit_file"
echo "group $group, $limit_file $(cat "$group/$limit_file")"

out=$(mktemp)
failed=0
threads=$(nproc)
check() {
    local name=$1 cap=$2
    shift 2
    local status=0
    bash -c 'echo $$ >"$1/cgroup.procs" && shift && exec "$@"' _ "$group" "$cli" "$@" >"$out" 2>"$out.err" || status=$?
    local largest
    largest=$(grep -o '"block_kb": *[0-9]*' "$out" | grep -o '[0-9]*$' | sort -n | tail -1)
    largest=${largest:-0}
    # bandwidth's closing figure runs its block on every logical processor at once.
    local closing
    closing=$(grep -A3 '"memory": {' "$out" | grep -o '"block_kb": *[0-9]*' | grep -o '[0-9]*$' || true)
    local verdict=ok
    if [ "$status" -ne 0 ] || [ $((largest * 1024)) -gt "$cap" ] ||
        [ $((${closing:-0} * 1024 * threads)) -gt $((limit / 4)) ]; then verdict=FAILED; failed=1; fi
    printf '%-28s status %3d, largest block %6d Kb, cap %6d Kb: %s\n' "$name" "$status" "$largest" $((cap / 1024)) "$verdict"
    [ "$verdict" = ok ] || sed 's/^/    /' "$out.err" >&2
}
# Latency's blocks come with a table of 4 bytes per 64-byte line: a block is at most 64/68 of the cap.
check "bench latency" $((limit / 4 * 64 / 68)) bench latency --repeat 2 --json
check "bench bandwidth --threads all" $((limit / 4 / threads)) bench bandwidth --threads all --repeat 2 --json
check "bench bandwidth" $((limit / 4)) bench bandwidth --repeat 2 --json
if [ -f "$group/memory.failcnt" ]; then echo "memory.failcnt $(cat "$group/memory.failcnt")"; fi
if [ -f "$group/memory.events" ]; then grep oom "$group/memory.events"; fi
rm -f "$out" "$out.err"
exit "$failed"
