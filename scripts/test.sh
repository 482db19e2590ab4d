#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test label: plain, x11 (Xvfb + openbox),
# dbus (dbus-run-session), umockdev (umockdev-run) and vm (a real kernel through scripts/uinput-vm;
# the first run on a machine installs QEMU and caches a kernel).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TARN_BUILD_DIR:-$root/build}
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$@"
# A private runtime folder keeps Qt and D-Bus quiet and leaves nothing in the user's own.
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
chmod 700 "$runtime"
XDG_RUNTIME_DIR=$runtime ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)" --timeout 300
