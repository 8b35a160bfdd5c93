#!/usr/bin/env bash
# Takes docs/cpubench.png and docs/fpubench.png: starts Vext on a virtual display, runs the CPU and the
# FPU benchmark for real (the FPU run takes about two minutes) and grabs the sheet after each run.
# Usage: xvfb-run -a -s "-screen 0 1024x768x24" scripts/screenshot-bench-pages.sh [path/to/vext [during-run.png]]
set -euo pipefail
cd "$(dirname "$0")/.."
prog="${1:-build/test/vext}"
"$prog" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT

sheet=""
for _ in $(seq 1 150); do
    sheet=$(xdotool search --onlyvisible --name '^Vext v1\.0$' 2>/dev/null | head -n 1 || true)
    [ -n "$sheet" ] && break
    sleep 0.1
done
[ -n "$sheet" ] || { echo "the sheet did not appear" >&2; exit 1; }

visible_windows() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l; }

# Runs the benchmark of the current page and waits until its progress window has gone.
run_page() {
    local before
    before=$(visible_windows)
    xdotool windowfocus --sync "$sheet"
    xdotool key alt+b
    for _ in $(seq 1 100); do [ "$(visible_windows)" -gt "$before" ] && break; sleep 0.1; done
    # Optionally the whole screen while the run goes on, to see the progress window.
    if [ -n "${1:-}" ]; then sleep 2; import -window root "$1"; fi
    for _ in $(seq 1 6000); do [ "$(visible_windows)" -le "$before" ] && break; sleep 0.1; done
    sleep 1
}

grab() { import -window "$sheet" "$1"; echo "wrote $1"; }

# Ctrl+PageDown moves on while the tabs have the focus. A click on the first tab (always at the left
# end of the strip) gives it to them.
select_tab() {
    xdotool windowfocus --sync "$sheet"
    xdotool mousemove --window "$sheet" 30 25 click 1
    sleep 1
    for _ in $(seq 1 "$1"); do xdotool key ctrl+Next; sleep 0.5; done
    # Away from the list, so that no row is highlighted under the pointer.
    xdotool mousemove --window "$sheet" 5 470
    sleep 2
}

sleep 2
# The pages before the CPU page, in the order the sheet adds them.
tabs_to_cpu=$(sed -n '/^void AddSheetPages/,/^}/p' app/VextApp.cpp | grep AddPage | grep -n CCPUBenchPage | cut -d: -f1)
tabs_to_cpu=$((tabs_to_cpu - 1))
select_tab "$tabs_to_cpu"
run_page "${2:-}"
# The CPU list is longer than its window: scroll it to the end, where Dhrystone and the total stand.
xdotool mousemove --window "$sheet" 270 300
for _ in $(seq 1 10); do xdotool click 5; sleep 0.1; done
xdotool mousemove --window "$sheet" 5 470
sleep 1
grab docs/cpubench.png
select_tab $((tabs_to_cpu + 1))
run_page
grab docs/fpubench.png
