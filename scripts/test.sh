#!/usr/bin/env bash
# Installs what is needed, runs the quick checks of scripts/gates.sh (formatting), builds with
# warnings as errors, and runs every test label: plain, x11 (Xvfb + openbox), dbus
# (dbus-run-session), umockdev (umockdev-run) and vm (a real kernel through scripts/uinput-vm; the
# first run on a machine installs QEMU and caches a kernel). Then builds and tests the core and the
# kit's Qt-free libraries once more, with clang and without Qt and the X and input libraries, so
# that they stay free of them and build with both compilers.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TARN_BUILD_DIR:-$root/build}
core_build=${TARN_CORE_BUILD_DIR:-$root/build-core}
"$root/scripts/setup.sh"
"$root/scripts/gates.sh"
"$root/scripts/build.sh" -DTARN_WERROR=ON "$@"
# A private runtime folder keeps Qt and D-Bus quiet and leaves nothing in the user's own.
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
chmod 700 "$runtime"
XDG_RUNTIME_DIR=$runtime ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)" --timeout 300

# The headers were checked by the first build already.
TARN_BUILD_DIR=$core_build "$root/scripts/build.sh" -DTARN_WERROR=ON -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_C_COMPILER=clang -DTARN_BUILD_UI=OFF -DTARN_BUILD_PLATFORM=OFF -DTARN_BUILD_BENCHMARKS=OFF \
    -DTARN_HEADER_CHECKS=OFF -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON
XDG_RUNTIME_DIR=$runtime ctest --test-dir "$core_build" --output-on-failure --parallel "$(nproc)" --timeout 300
