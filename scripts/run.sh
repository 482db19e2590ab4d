#!/usr/bin/env bash
# Installs what is needed, builds, and starts the program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TARN_BUILD_DIR:-$root/build}
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
exec "$build/TarnInput/tarninput" "$@"
