#!/usr/bin/env bash
# Makes the Debian package of this build and has lintian check it: an error fails, warnings are listed
# (docs/packaging.md says why each one stays).
set -eu
cpack="$1" build="$2"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$out" >/dev/null
lintian --fail-on error,warning "$out"/vext_*.deb
