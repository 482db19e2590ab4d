#!/usr/bin/env bash
# Builds in Release and runs every benchmark program of bench/ (or those whose name matches $1).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TARN_BENCH_BUILD_DIR:-$root/build-bench}
"$root/scripts/setup.sh"
TARN_BUILD_DIR=$build "$root/scripts/build.sh" -DCMAKE_BUILD_TYPE=Release
for program in "$build"/bench/*; do
    [[ -f $program && -x $program ]] || continue
    [[ -z ${1:-} || $(basename "$program") == *"$1"* ]] || continue
    echo "== $(basename "$program")"
    runner=()
    # The desktop adapters' benchmarks need an X display with a window manager; one is started
    # where there is none.
    if [[ $(basename "$program") == X11* && -z ${DISPLAY:-} ]]; then
        runner=(xvfb-run -a "$root/scripts/with-x.sh" --wm --)
    fi
    "${runner[@]}" "$program" --benchmark_min_time=0.2
done
