#!/usr/bin/env bash
# Sets up and builds, then runs the whole test suite; exits non-zero when any test fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VT_BUILD_DIR:-$root/build}
"$root/scripts/setup.sh" "$build"
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)" --timeout 300
# The timer's worker-thread tests once more under the thread sanitizer.
"$root/scripts/tsan-test.sh" "$build-tsan"
