#!/usr/bin/env bash
# The sheet's start-up time: from starting the program to its sheet shown and the program idle, for each
# program named, the median of RUNS starts (the runs of the programs alternate, so that a busy moment
# of the machine falls on all of them alike). Needs a display (xvfb-run -a -s "-screen 0 1280x1024x24
# -noreset" scripts/startup-time.sh ...) and xdotool.
#   "shown": the window "Vext v1.0" is mapped (polled every 10 ms);
#   "idle":  after that, the program used no processor time for 300 ms (its CPU ticks, /proc/PID/stat);
#            the time is that of the last tick seen, or of the showing when it came later.
# Usage: scripts/startup-time.sh [-n RUNS] VEXT...
set -euo pipefail
runs=10
if [ "${1:-}" = "-n" ]; then runs="$2"; shift 2; fi
[ $# -ge 1 ] || { echo "usage: $0 [-n RUNS] VEXT..." >&2; exit 2; }
command -v xdotool >/dev/null || { echo "$0: needs xdotool" >&2; exit 2; }

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat" 2>/dev/null || echo -1; }

# One start of $1: prints the milliseconds from its start to its sheet shown and idle.
one_start() {
    local start shown="" pid ticks last_ticks last_change quiet_since t
    start=$(now_ms)
    "$1" >/dev/null 2>&1 &
    pid=$!
    for _ in $(seq 1 3000); do
        if xdotool search --onlyvisible --name '^Vext v1\.0$' >/dev/null 2>&1; then shown=$(now_ms); break; fi
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.01
    done
    if [ -z "$shown" ]; then kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; echo "$0: $1 showed no sheet" >&2; return 1; fi
    last_ticks=$(cpu_ticks "$pid"); last_change=$shown; quiet_since=$shown
    while :; do
        sleep 0.02
        t=$(now_ms); ticks=$(cpu_ticks "$pid")
        if [ "$ticks" != "$last_ticks" ]; then last_ticks=$ticks; last_change=$t; quiet_since=$t; fi
        [ $((t - quiet_since)) -ge 300 ] && break
    done
    kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true
    echo $((last_change - start))
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : int((v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }

declare -A times
for run in $(seq 1 "$runs"); do
    for prog in "$@"; do
        times[$prog]+="$(one_start "$prog") "
        sleep 0.5  # a virtual display refuses a connection for a moment after its last client left
    done
done
for prog in "$@"; do
    echo "$prog: median $(tr ' ' '\n' <<<"${times[$prog]}" | grep . | median) ms of $runs starts (${times[$prog]% })"
done
