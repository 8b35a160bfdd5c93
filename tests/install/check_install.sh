#!/usr/bin/env bash
# Installs the build into an empty prefix and checks that what a user gets is there: the programs, and
# with the GUI the desktop entry naming them and its icon.
set -eu
cmake="$1" build="$2" gui="$3"
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
"$cmake" --install "$build" --prefix "$prefix" >/dev/null
status=0
need() { [ -e "$prefix/$1" ] || { echo "not installed: $1"; status=1; }; }
need bin/vext-cli
if [ "$gui" = 1 ]; then
    need bin/vext
    need share/applications/vext.desktop
    need share/icons/hicolor/32x32/apps/vext.png
    desktop="$prefix/share/applications/vext.desktop"
    grep -qx 'Exec=vext' "$desktop" || { echo "the desktop entry does not start vext"; status=1; }
    grep -qx 'Icon=vext' "$desktop" || { echo "the desktop entry does not name the vext icon"; status=1; }
fi
for program in "$prefix"/bin/*; do
    [ -x "$program" ] || { echo "not executable: $program"; status=1; }
done
exit $status
