#!/usr/bin/env bash
# The whole program's wake-ups at rest (bench/idle): TarnInput with nothing touching the input
# devices, its threads' context switches counted over a quiet period with the studio window open
# and then closed. Twice: here under Xvfb and openbox (where the kernel has no uinput, the tap
# cannot run), and in a real kernel with uinput (scripts/uinput-vm), where the tap runs and holds
# a mouse and a keyboard, under an Xvfb of its own. Not part of the tests.
#   bash scripts/bench-idle.sh [SECONDS]     (default 30 for each window state)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TARN_BENCH_BUILD_DIR:-$root/build-bench}
seconds=${1:-30}
title="TarnInput — by Harrowfen"
"$root/scripts/setup.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target tarninput IdleWakeupsBench --parallel "${TARN_JOBS:-$(nproc)}"
program=$build/TarnInput/tarninput
bench=$build/bench/idle/IdleWakeupsBench

# A home of its own: the user's settings, logs and autostart entry are left alone.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -m 700 "$home/run"
export HOME=$home XDG_CONFIG_HOME=$home/config XDG_STATE_HOME=$home/state XDG_DATA_HOME=$home/data \
    XDG_CACHE_HOME=${XDG_CACHE_HOME:-$HOME/.cache} XDG_RUNTIME_DIR=$home/run QT_QPA_PLATFORM=xcb

# The settling time outlasts Qt's idle worker threads, which end 30 s after their last task.
echo "== here, under Xvfb and openbox"
xvfb-run -a -s "-screen 0 1280x800x24" "$root/scripts/with-x.sh" --wm -- \
    "$bench" --settle 40 --seconds "$seconds" --close-window "$title" -- "$program"

echo "== in a kernel with uinput, the tap running"
qt=/usr/lib/x86_64-linux-gnu/qt6/plugins
adds=()
for path in "$program" "$(command -v Xvfb)" "$(command -v xkbcomp)" /usr/share/X11/xkb /usr/share/fonts/X11/misc \
    /usr/share/fonts/truetype/dejavu /etc/fonts "$qt/platforms/libqxcb.so" "$qt/imageformats/libqsvg.so" \
    "$qt/iconengines/libqsvgicon.so" "$root/resources"; do
    adds+=(--add "$path")
done
exec bash "$root/scripts/uinput-vm/run-in-vm" --timeout 900 --mem 1536 "${adds[@]}" \
    --env QT_QPA_PLATFORM=xcb --env QT_PLUGIN_PATH="$qt" \
    "$bench" --xvfb --devices --settle 60 --seconds "$seconds" --close-window "$title" -- "$program"
