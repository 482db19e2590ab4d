#!/bin/sh
# Runs a command inside a headless sway session of its own: with-sway.sh -- command args...
# The command finds the compositor through WAYLAND_DISPLAY and SWAYSOCK, in a private runtime
# folder. sway refuses to run as root, so under root it runs as the user "nobody".
[ "$1" = "--" ] && shift
runtime=$(mktemp -d)
chmod 700 "$runtime"
printf 'xwayland disable\noutput HEADLESS-1 resolution 1280x800\n' >"$runtime/config"
as_user=""
if [ "$(id -u)" = 0 ]; then
    chown nobody "$runtime"
    as_user="setpriv --reuid=nobody --regid=nogroup --clear-groups"
fi
XDG_RUNTIME_DIR=$runtime HOME=$runtime WLR_BACKENDS=headless WLR_HEADLESS_OUTPUTS=1 WLR_LIBINPUT_NO_DEVICES=1 \
    WLR_RENDERER=pixman $as_user sway -c "$runtime/config" >"$runtime/sway.log" 2>&1 &
sway_pid=$!
# A loaded machine can take seconds to start it; the command must not begin without it.
i=0
socket() { for file in "$runtime"/$1; do [ -S "$file" ] && basename "$file" && return; done; }
while [ -z "$(socket 'sway-ipc.*.sock')" ] || [ -z "$(socket 'wayland-[0-9]*')" ]; do
    if [ $i -ge 300 ] || ! kill -0 $sway_pid 2>/dev/null; then
        echo "with-sway.sh: sway did not start within 30 s:" >&2
        cat "$runtime/sway.log" >&2
        kill $sway_pid 2>/dev/null; rm -rf "$runtime"
        exit 1
    fi
    sleep 0.1; i=$((i + 1))
done
XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=$(socket 'wayland-[0-9]*') SWAYSOCK="$runtime/$(socket 'sway-ipc.*.sock')" "$@"
status=$?
# What sway said explains a failure that came from it.
[ $status != 0 ] && { echo "--- sway.log" >&2; cat "$runtime/sway.log" >&2; }
kill $sway_pid 2>/dev/null
wait $sway_pid 2>/dev/null
rm -rf "$runtime"
exit $status
