#!/usr/bin/env bash
# Starts the real program on a session bus of its own with the accessibility bus and its registry, as a
# desktop with a screen reader has them, and reads every page through that bus (read_aloud.py).
# Usage: read_aloud.sh VEXT EXPECTATIONS [DUMP_DIR]
set -u
if [ -z "${READ_ALOUD_OWN_BUS:-}" ]; then  # a session bus of its own, whatever the caller has
    exec env READ_ALOUD_OWN_BUS=1 dbus-run-session -- "$0" "$@"
fi
prog="$1"
here="$(dirname "$0")"
launcher=""
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
    [ -x "$candidate" ] && launcher="$candidate" && break
done
[ -n "$launcher" ] || { echo "no at-spi-bus-launcher: install at-spi2-core"; exit 1; }
unset NO_AT_BRIDGE
"$launcher" --launch-immediately 2>/dev/null &
launcher_pid=$!
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    kill "$launcher_pid" 2>/dev/null
    wait 2>/dev/null
}
trap cleanup EXIT
# A virtual display that resets after its previous client left refuses a connection for a moment: a
# program that ended before its sheet appeared is started again, up to three times.
for _ in 1 2 3; do
    "$prog" &
    pid=$!
    for _ in $(seq 1 600); do
        xdotool search --onlyvisible --name '^Vext v1\.0$' >/dev/null 2>&1 && break 2
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && break
    sleep 1
done
kill -0 "$pid" 2>/dev/null || { echo "read_aloud: vext did not start"; exit 1; }
/usr/bin/python3 "$here/read_aloud.py" "${@:2}"
