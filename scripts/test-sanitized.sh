#!/usr/bin/env bash
# Builds the tests of the libraries that hold the program's logic with AddressSanitizer and
# UndefinedBehaviorSanitizer into build-asan/ (or $TARN_SANITIZE_BUILD_DIR) and runs them; any
# finding fails the run. Extra arguments go to CMake's configure step.
#
# The whole suite does not fit the time CI has, so this takes the tests of the core, the kit's
# Foundation, Services and Suite libraries, the view model, the Linux adapters and the kit's
# window chrome, in every label but vm (a booted kernel per run is slow, and the vm tests drive
# the same adapters the other labels test already).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TARN_SANITIZE_BUILD_DIR:-$root/build-asan}

targets=(
    TarnFoundationTests
    TarnServicesTests
    TarnSuiteCommandsTests TarnSuiteRecordsTests TarnSuiteMemoryTests TarnSuiteTelemetryTests
    TarnInputCoreTests TarnInputCoreAllocationTests
    TarnInputViewModelTests TarnInputViewModelAllocationTests
    TarnPlatformLinuxTests TarnPlatformLinuxX11Tests TarnPlatformLinuxDbusTests TarnPlatformLinuxUmockdevTests
    TarnPlatformWaylandTests TarnPlatformWaylandDbusTests TarnPlatformWaylandWaylandTests tarn-wayland-test-window
    TarnUITests
)

# -O1 with line tables only: half the compile time of the usual -O2 -g, and the sanitizers' reports
# still name file and line.
cmake -S "$root" -B "$build" -G Ninja -DTARN_SANITIZE=ON -DTARN_BUILD_BENCHMARKS=OFF -DTARN_HEADER_CHECKS=OFF \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" "$@" >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target "${targets[@]}"

# Leaks in the system's own libraries are listed, with the reason, in the suppression file;
# everything else the sanitizers find stops the test that found it.
export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1
export LSAN_OPTIONS=suppressions=$root/tests/lsan-suppressions.txt:print_suppressions=0
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
chmod 700 "$runtime"
# Only the tests of the programs built above. The others are listed all the same: GoogleTest's as
# <program>_NOT_BUILT, and those of the wrapped labels under their program's name.
skip='_NOT_BUILT$'
while read -r name; do
    [[ " ${targets[*]} " == *" $name "* ]] || skip+="|^$name\$"
done < <(ctest --test-dir "$build" -N -L '^(x11|dbus|wayland|umockdev|vm)$' | sed -n 's/^ *Test *#[0-9]*: //p')
XDG_RUNTIME_DIR=$runtime ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)" --timeout 300 \
    --exclude-regex "$skip"
