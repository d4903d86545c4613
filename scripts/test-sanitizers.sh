#!/usr/bin/env bash
# Builds Reservium with AddressSanitizer and UndefinedBehaviorSanitizer in ./build-asan and runs
# the whole test suite there. A sanitizer report ends the program under test, so it fails.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRESERVIUM_SANITIZE=ON \
    -DRESERVIUM_BUILD_BENCH=OFF >/dev/null
cmake --build build-asan -j"$(nproc)"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
cd build-asan
ctest --output-on-failure -j"$(nproc)"
