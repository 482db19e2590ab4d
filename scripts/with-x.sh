#!/bin/sh
# Runs a command inside an X display (started by xvfb-run), optionally with a window manager,
# a compositor and a tray host: with-x.sh [--wm] [--compositor] [--tray] -- command args...
wm=0; compositor=0; tray=0
while [ "$#" -gt 0 ] && [ "$1" != "--" ]; do
    case "$1" in --wm) wm=1 ;; --compositor) compositor=1 ;; --tray) tray=1 ;; esac
    shift
done
shift
logs=$(mktemp -d)
pids=""
if [ $wm = 1 ]; then
    openbox >"$logs/wm.log" 2>&1 &
    pids="$pids $!"
    # A loaded machine can take seconds to start it; tests that need it must not begin without it.
    i=0
    while ! xprop -root _NET_SUPPORTING_WM_CHECK 2>&1 | grep -q 'window id'; do
        if [ $i -ge 300 ]; then
            echo "with-x.sh: the window manager did not start within 30 s:" >&2
            cat "$logs/wm.log" >&2
            kill $pids 2>/dev/null; rm -rf "$logs"
            exit 1
        fi
        sleep 0.1; i=$((i + 1))
    done
fi
if [ $compositor = 1 ]; then
    picom --experimental-backends --backend xrender >"$logs/compositor.log" 2>&1 &
    pids="$pids $!"
    sleep 0.5
fi
if [ $tray = 1 ]; then
    trayer --edge bottom --align right --widthtype pixel --width 120 --height 32 --transparent false \
        >"$logs/tray.log" 2>&1 &
    pids="$pids $!"
    sleep 0.5
fi
"$@"
status=$?
# What the helpers said explains a failure that came from them.
if [ $status != 0 ]; then
    for log in "$logs"/*.log; do
        [ -s "$log" ] && { echo "--- $(basename "$log")" >&2; cat "$log" >&2; }
    done
fi
for pid in $pids; do kill "$pid" 2>/dev/null; done
rm -rf "$logs"
exit $status
