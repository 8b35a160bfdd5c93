#!/usr/bin/env bash
# Runs a test binary as user 65534 when started as root: root writes whatever the permissions say, so
# the read-only file and folder cases only show the refusals as another user. That user cannot reach a
# build folder under /root, so the binary is copied to a scratch folder it can read, and its temporary
# files go to a folder it owns. Not root, or without setpriv, the binary runs as it is: the tests then
# check what the user running them sees.
set -eu
binary=$1
shift
if [ "$(id -u)" -ne 0 ] || ! command -v setpriv >/dev/null 2>&1; then
    exec "$binary" "$@"
fi
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/tmp"
cp "$binary" "$scratch/tests"
chmod 755 "$scratch" "$scratch/tests"
chown 65534:65534 "$scratch/tmp"
TMPDIR="$scratch/tmp" setpriv --reuid=65534 --regid=65534 --clear-groups -- "$scratch/tests" "$@"
