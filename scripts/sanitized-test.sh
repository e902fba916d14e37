#!/usr/bin/env bash
# Builds the whole project with the address and undefined-behaviour sanitizers and runs the whole
# suite under them; any report (a leak too, except the one in the list below) fails its test.
# Usage: scripts/sanitized-test.sh [build-dir]   (default: build-asan)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-asan}
VT_CMAKE_ARGS="-DVT_SANITIZE=ON -DVT_BUILD_BENCH=OFF" "$root/scripts/setup.sh" "$build"
# intercept_strndup=0: the X keyboard library strndup()s names that are not NUL-terminated
# within their buffer when the program runs on a real X display (the window-manager tests).
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:strict_string_checks=1:intercept_strndup=0
export LSAN_OPTIONS=suppressions=$root/tests/lsan-suppressions.txt:print_suppressions=0
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)" --timeout 600
