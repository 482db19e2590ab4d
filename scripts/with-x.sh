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
    i=0
    while [ $i -lt 50 ] && ! xprop -root _NET_SUPPORTING_WM_CHECK 2>&1 | grep -q 'window id'; do
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
for pid in $pids; do kill "$pid" 2>/dev/null; done
rm -rf "$logs"
exit $status
