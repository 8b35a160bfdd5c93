#!/usr/bin/env bash
# Installs what is missing, builds a release build and starts Vext.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
build_release -DVEXT_PACKAGING=OFF
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    if [ -x build/release/vext-cli ]; then
        echo "No display: Vext's window needs one. Here is the processor report instead (vext-cli report)." >&2
        exec build/release/vext-cli report
    fi
    echo "No display: Vext is a desktop program and needs a graphical display (DISPLAY or WAYLAND_DISPLAY)." >&2
    exit 1
fi
exec build/release/vext
