#!/usr/bin/env bash
# Starts the real program under the test display, presses the sheet's default button (OK, shown as
# "Close") with the keyboard, and checks that the program ends with status 0.
set -u
prog="$1"
# A virtual display that resets after its previous client left refuses a connection for a moment: a
# program that ended before its sheet appeared is started again, up to three times.
win=""
for _ in 1 2 3; do
    "$prog" &
    pid=$!
    for _ in $(seq 1 600); do
        win=$(xdotool search --onlyvisible --name '^Vext v1\.0$' 2>/dev/null | head -n 1)
        [ -n "$win" ] && break 2
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && break  # running without a sheet: no second start
    sleep 1
done
if [ -z "$win" ]; then
    kill "$pid" 2>/dev/null
    echo "the sheet did not appear"
    exit 1
fi
# On a busy machine the first key can arrive before the sheet takes the focus: press again if the
# program is still there after a few seconds.
for _ in $(seq 1 10); do
    sleep 0.5
    timeout 5 xdotool windowfocus --sync "$win" 2>/dev/null
    xdotool key Return
    for _ in $(seq 1 40); do
        if ! kill -0 "$pid" 2>/dev/null; then
            wait "$pid"
            status=$?
            echo "vext ended with status $status"
            [ "$status" -eq 0 ]
            exit $?
        fi
        sleep 0.1
    done
done
kill "$pid"
echo "vext did not end after its sheet was closed"
exit 1
