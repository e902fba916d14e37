#!/usr/bin/env bash
# Sets up and builds, then runs the whole test suite; then the worker-thread tests under the thread
# sanitizer, the whole suite again under the address and undefined-behaviour sanitizers, and the
# fuzz targets on their seed corpora. Exits non-zero at the first stage that fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VT_BUILD_DIR:-$root/build}
"$root/scripts/setup.sh" "$build"
(cd "$build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)" --timeout 300)
"$root/scripts/tsan-test.sh" "$build-tsan"
"$root/scripts/sanitized-test.sh" "$build-asan"
"$root/scripts/fuzz.sh" "$build-fuzz"
