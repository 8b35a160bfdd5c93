#!/usr/bin/env bash
# Takes a picture of each page of the sheet for the README, under a virtual display.
# Usage: scripts/screenshots.sh NAME... (one name per tab, in tab order; "-" skips a tab)
#        NAME@KEYS@SECONDS presses KEYS on that tab (xdotool's names, e.g. alt+r for a Run button) and
#        waits SECONDS before the picture, for a page that shows something only once it has measured.
# Writes docs/NAME.png. Needs a built build/test/vext, xvfb-run, xdotool and ImageMagick's import.
set -euo pipefail
cd "$(dirname "$0")/.."
[ $# -gt 0 ] || { echo "usage: $0 NAME..." >&2; exit 2; }
if [ -z "${VEXT_SCREENSHOT_DISPLAY:-}" ]; then
    exec env VEXT_SCREENSHOT_DISPLAY=1 xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$@"
fi
build/test/vext &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
win=""
for _ in $(seq 1 150); do
    win=$(xdotool search --onlyvisible --name '^Vext v1\.0$' 2>/dev/null | head -n 1) && [ -n "$win" ] && break
    sleep 0.1
done
[ -n "$win" ] || { echo "the sheet did not appear" >&2; exit 1; }
xdotool windowfocus --sync "$win" 2>/dev/null || true
first=1
for name in "$@"; do
    if [ $first -eq 0 ]; then
        xdotool key --window "$win" ctrl+Next
        sleep 2  # a benchmark page measures the clock when it is first shown
    fi
    first=0
    sleep 0.5
    IFS=@ read -r file keys seconds <<<"$name"
    if [ -n "${keys:-}" ]; then
        xdotool key --window "$win" "$keys"
        sleep "${seconds:-1}"
    fi
    [ "$file" = "-" ] || import -window "$win" "docs/$file.png"
done
