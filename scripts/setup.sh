#!/usr/bin/env bash
# Installs what the build and tests need (skipping what is there), then configures and builds.
# Usage: scripts/setup.sh [build-dir]   (default: build)
# VT_CMAKE_ARGS: more configure options; VT_EXTRA_PACKAGES: more packages; VT_BUILD_TARGET: build
# only that target.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}

packages=(build-essential cmake ninja-build pkg-config libsqlite3-dev sqlite3
          libgtest-dev libgmock-dev libbenchmark-dev qt6-base-dev libgl-dev xvfb xauth openbox
          poppler-utils fonts-dejavu-core libgif-dev locales libicu-dev clang libclang-rt-dev
          ${VT_EXTRA_PACKAGES:-})
if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

# The locales the suite's locale cases run under, compiled when the system lacks them.
for name in en_US de_DE fr_FR ru_RU ar_EG; do
  locale -a 2>/dev/null | grep -qx "$name.utf8" && continue
  echo "Generating $name.UTF-8"
  $sudo localedef -i "$name" -f UTF-8 "$name.UTF-8"
done

cmake -S "$root" -B "$build" -G Ninja ${VT_CMAKE_ARGS:-}
cmake --build "$build" -j "$(nproc)" ${VT_BUILD_TARGET:+--target "$VT_BUILD_TARGET"}
