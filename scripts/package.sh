#!/usr/bin/env bash
# Builds the two Debian packages from one release build, installing what the build needs first:
# build/release/vext-cli_VERSION_amd64.deb (the command-line companion, needing only the C and C++
# libraries) and build/release/vext_VERSION_amd64.deb (the GUI, depending on vext-cli). Prints their
# paths, vext-cli's first. Install them with: sudo apt-get install ./build/release/vext*_amd64.deb
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
ensure_packages "${PACKAGING_PACKAGES[@]}"
build_release -DVEXT_PACKAGING=ON
rm -f build/release/vext_*.deb build/release/vext-cli_*.deb  # this build's packages only, for the globs
(cd build/release && cpack -G DEB >/dev/null)
echo build/release/vext-cli_*_amd64.deb
echo build/release/vext_*_amd64.deb
