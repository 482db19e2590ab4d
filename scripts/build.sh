#!/usr/bin/env bash
# Configures and builds into build/ (or $TARN_BUILD_DIR). Extra arguments go to CMake's configure
# step, e.g. scripts/build.sh -DTARN_SANITIZE=ON.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TARN_BUILD_DIR:-$root/build}
cmake -S "$root" -B "$build" -G Ninja "$@" >/dev/null
cmake --build "$build" --parallel "$(nproc)"
