#!/usr/bin/env bash
# Installs the build into an empty prefix and checks that what a user gets is there and passes the
# checkers a distribution runs: the programs, the manual pages (an example for every command of
# vext-cli), the completion, and with the GUI the desktop entry, the AppStream metadata and each icon size.
set -eu
cmake="$1" build="$2" gui="$3"
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
"$cmake" --install "$build" --prefix "$prefix" >/dev/null
status=0
need() { [ -e "$prefix/$1" ] || { echo "not installed: $1"; status=1; }; }
need bin/vext-cli
need share/man/man1/vext-cli.1.gz
need share/bash-completion/completions/vext-cli
need share/doc/vext-cli/copyright
if [ "$gui" = 1 ]; then
    need bin/vext
    need share/doc/vext/copyright
    need share/man/man1/vext.1.gz
    need share/icons/hicolor/scalable/apps/vext.svg
    desktop="$prefix/share/applications/vext.desktop"
    grep -qx 'Exec=vext' "$desktop" || { echo "the desktop entry does not start vext"; status=1; }
    grep -qx 'Icon=vext' "$desktop" || { echo "the desktop entry does not name the vext icon"; status=1; }
    desktop-file-validate "$desktop" || status=1
    appstreamcli validate --no-net --pedantic "$prefix"/share/metainfo/*.metainfo.xml >/dev/null || status=1
    for size in 16 22 24 32 48 64 128 256 512; do
        icon=share/icons/hicolor/${size}x${size}/apps/vext.png
        need "$icon"
        # A PNG's width and height are the two big-endian numbers after its IHDR tag.
        [ "$(od -An -tu1 -j16 -N8 "$prefix/$icon" | awk '{print $3 * 256 + $4 "x" $7 * 256 + $8}')" = "${size}x${size}" ] ||
            { echo "$icon is not $size pixels square"; status=1; }
    done
fi
for page in "$prefix"/share/man/man1/*; do
    warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || { echo "$page: $warnings"; status=1; }
done
examples=$(MANWIDTH=80 man -l "$prefix/share/man/man1/vext-cli.1.gz" | sed -n '/^EXAMPLES/,/^[A-Z]/p')
for command in $("$prefix/bin/vext-cli" --help | sed -n '/^Subcommands:/,$ s/^  \([a-z][a-z-]*\) .*/\1/p'); do
    grep -q "vext-cli $command " <<<"$examples" || { echo "vext-cli(1) has no example of $command"; status=1; }
done
for program in "$prefix"/bin/*; do
    [ -x "$program" ] || { echo "not executable: $program"; status=1; }
done
exit $status
