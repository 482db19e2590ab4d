#!/usr/bin/env bash
# The end-to-end input latency benchmark, in a real kernel with uinput (scripts/uinput-vm, one
# virtual CPU): the bare uinput round trip, a poll-and-copy thread, TarnInput's tap and engine,
# and interception-tools' pass-through (installed here when missing), measured in turns frame by
# frame so that their ratios hold on a loaded machine. Not part of the tests.
#   bash scripts/bench-vm.sh [FRAMES]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TARN_BENCH_BUILD_DIR:-$root/build-bench}
"$root/scripts/setup.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target InputLatencyBench --parallel "${TARN_JOBS:-$(nproc)}"
if ! command -v interception >/dev/null || ! command -v uinput >/dev/null; then
    if [[ $(id -u) -eq 0 ]]; then
        apt-get install -y --no-install-recommends interception-tools
    else
        sudo -n apt-get install -y --no-install-recommends interception-tools
    fi
fi
interception=$(command -v interception)
uinput=$(command -v uinput)
exec bash "$root/scripts/uinput-vm/run-in-vm" --timeout 600 --add "$interception" --add "$uinput" \
    "$build/bench/vm/InputLatencyBench" "${1:-10000}" "$interception" "$uinput"
