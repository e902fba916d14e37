#!/usr/bin/env bash
# Builds the fuzz targets under fuzz/ with clang's libFuzzer and runs them all at once from their
# seed corpora, the picture readers (GIF, animated cursor, icon list) for 60 seconds under a
# memory limit of their own and the runtime library's readers for 30; fails when any of them
# finds a crash. A crash found is left in <build>/fuzz-findings/; add it to
# fuzz/regressions/<target>/ once mended.
# Usage: scripts/fuzz.sh [build-dir]   (default: build-fuzz)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-fuzz}

CC=clang CXX=clang++ VT_BUILD_TARGET=vt_fuzz_targets \
  VT_CMAKE_ARGS="-DVT_FUZZ=ON -DVT_BUILD_BENCH=OFF" "$root/scripts/setup.sh" "$build"

# The picture readers must fail in bounded memory whatever size a stream claims: they run under a
# tighter limit, each allocation included.
memory_for() {
  case $1 in
    gif_stream|ani_cursor|icon_list) echo "-rss_limit_mb=1024 -malloc_limit_mb=512" ;;
    *) echo "-rss_limit_mb=2048" ;;
  esac
}

seconds_for() {
  case $1 in
    gif_stream|ani_cursor|icon_list) echo 60 ;;
    *) echo 30 ;;
  esac
}

findings=$build/fuzz-findings
rm -rf "$findings" "$build/fuzz-corpus"
mkdir -p "$findings"
pids=()
names=()
for program in "$build"/fuzz/vt_fuzz_*; do
  name=${program##*/vt_fuzz_}
  corpus=$build/fuzz-corpus/$name  # new inputs go here, not into the committed seeds
  mkdir -p "$corpus"
  "$program" -max_total_time="$(seconds_for "$name")" -timeout=10 $(memory_for "$name") -print_final_stats=1 \
    -artifact_prefix="$findings/$name-" "$corpus" "$root/fuzz/corpus/$name" \
    >"$findings/$name.log" 2>&1 &
  pids+=($!)
  names+=("$name")
done
failed=0
for i in "${!pids[@]}"; do
  if wait "${pids[$i]}"; then
    echo "fuzz ${names[$i]}: $(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$findings/${names[$i]}.log" | grep -o '[0-9]*$') runs, no crash"
  else
    echo "fuzz ${names[$i]}: FOUND A CRASH"
    tail -n 60 "$findings/${names[$i]}.log"
    failed=1
  fi
done
exit $failed
