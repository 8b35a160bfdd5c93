#!/usr/bin/env bash
# Makes the Debian packages of this build and has lintian check them: an error or a warning fails
# (docs/packaging.md says why each information tag stays). vext-cli must depend on no graphical library,
# and vext on vext-cli of its own version.
set -eu
cpack="$1" build="$2"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$out" >/dev/null
lintian --fail-on error,warning "$out"/vext_*.deb "$out"/vext-cli_*.deb
status=0
cli=$(dpkg-deb -f "$out"/vext-cli_*.deb Depends)
if grep -qE 'libwx|libgtk' <<<"$cli"; then echo "vext-cli depends on a graphical library: $cli"; status=1; fi
version=$(dpkg-deb -f "$out"/vext_*.deb Version)
grep -qF "vext-cli (= $version)" <<<"$(dpkg-deb -f "$out"/vext_*.deb Depends)" ||
    { echo "vext does not depend on vext-cli (= $version)"; status=1; }
exit $status
