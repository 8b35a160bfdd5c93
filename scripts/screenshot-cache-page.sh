#!/usr/bin/env bash
# Takes docs/cachebench.png and docs/cachechart.png: starts Vext on a virtual display, runs the cache
# benchmark for real, saves the results, loads them back, runs it again and opens the chart with "Compare".
# Usage: scripts/screenshot-cache-page.sh [path/to/vext]
# Needs xvfb-run, xdotool and ImageMagick's import (installed here when missing).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${VEXT_SCREENSHOT_DISPLAY:-}" ]; then
    command -v import >/dev/null || sudo apt-get install -y imagemagick
    exec env VEXT_SCREENSHOT_DISPLAY=1 xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$@"
fi
prog="${1:-build/test/vext}"
saved=$(mktemp -d)/this-machine.cache
"$prog" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$(dirname "$saved")"' EXIT

wait_for() {  # a window name pattern -> its id
    local id=""
    for _ in $(seq 1 600); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true)
        [ -n "$id" ] && { echo "$id"; return; }
        sleep 0.1
    done
    echo "no window named $1 appeared" >&2
    exit 1
}
visible_windows() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l; }
press() { xdotool windowfocus --sync "$sheet"; xdotool key "$1"; }

# Types a full path into the file dialog that `key` opens on the sheet and accepts it.
file_dialog() {
    local before
    before=$(visible_windows)
    press "$1"
    for _ in $(seq 1 100); do [ "$(visible_windows)" -gt "$before" ] && break; sleep 0.1; done
    sleep 1
    xdotool key ctrl+l
    xdotool type --delay 20 "$2"
    sleep 0.5
    xdotool key Return
    for _ in $(seq 1 100); do [ "$(visible_windows)" -le "$before" ] && break; sleep 0.1; done
    sleep 1
}

sheet=$(wait_for '^Vext v1\.0$')
sleep 2
# The Cache tab is the fifth, at x 563 of the strip with the default fonts of the virtual display; a
# benchmark page measures the clock when it is first shown.
xdotool windowfocus --sync "$sheet"
xdotool mousemove --window "$sheet" 563 25 click 1
sleep 3

# Runs the benchmark and waits until its progress window has gone.
run() {
    local before
    before=$(visible_windows)
    press alt+b
    for _ in $(seq 1 100); do [ "$(visible_windows)" -gt "$before" ] && break; sleep 0.1; done
    for _ in $(seq 1 6000); do [ "$(visible_windows)" -le "$before" ] && break; sleep 0.1; done
    sleep 1
}

# A first run saved and loaded back beside a second one: two curves that differ as runs do.
run
file_dialog alt+s "$saved"
[ -s "$saved" ] || { echo "the results were not saved to $saved" >&2; exit 1; }
file_dialog alt+l "$saved"
run
xdotool mousemove --window "$sheet" 5 470
sleep 1
import -window "$sheet" docs/cachebench.png
echo "wrote docs/cachebench.png"

press alt+c
chart=$(wait_for '^Cache Benchmark Results$')
sleep 2
import -window "$chart" docs/cachechart.png
echo "wrote docs/cachechart.png"
xdotool windowfocus --sync "$chart"
xdotool key Return
