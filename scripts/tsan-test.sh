#!/usr/bin/env bash
# Builds the timer's and the scrolling panel's thread tests with the thread sanitizer in a build of
# their own and runs them; any report (a data race, a lock-order inversion) fails the run.
# Usage: scripts/tsan-test.sh [build-dir]   (default: build-tsan)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-tsan}
cmake -S "$root" -B "$build" -G Ninja -DVT_TSAN=ON -DVT_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "${VT_JOBS:-$(nproc)}" --target components_VtTimer_tsan
export TSAN_OPTIONS="halt_on_error=1:exitcode=66:second_deadlock_stack=1"
QT_QPA_PLATFORM=offscreen timeout 600 "$build/tests/components_VtTimer_tsan"
