#!/usr/bin/env bash
# Builds the Debian package build/release/vext_VERSION_amd64.deb from a release build, installing what
# the build needs first. Install it with: sudo apt-get install ./build/release/vext_*_amd64.deb
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
ensure_packages "${PACKAGING_PACKAGES[@]}"
build_release -DVEXT_PACKAGING=ON
rm -f build/release/vext_*.deb  # one package only, for the glob above
(cd build/release && cpack -G DEB >/dev/null)
echo build/release/vext_*_amd64.deb
