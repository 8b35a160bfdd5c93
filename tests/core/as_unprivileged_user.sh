#!/usr/bin/env bash
# Runs a test binary as an unprivileged user: root writes whatever the permissions say, so the cases
# about read-only files and folders only mean something as another user. As another user already, or
# without setpriv, the binary runs as it is.
set -u
unprivileged() { setpriv --reuid=65534 --regid=65534 --clear-groups -- "$@"; }
if [ "$(id -u)" -eq 0 ] && command -v setpriv >/dev/null 2>&1 && unprivileged test -x "$1"; then
    # The test makes its files in a fresh temporary folder, which the unprivileged user owns.
    export TMPDIR
    TMPDIR=$(mktemp -d)
    chown 65534:65534 "$TMPDIR"
    unprivileged "$@"
    status=$?
    rm -rf "$TMPDIR"
    exit $status
fi
exec "$@"
