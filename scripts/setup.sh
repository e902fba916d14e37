#!/usr/bin/env bash
# Installs what the build and tests need (skipping what is there), then configures and builds.
# Usage: scripts/setup.sh [build-dir]   (default: build)
# VT_CMAKE_ARGS: more configure options; VT_EXTRA_PACKAGES: more packages; VT_BUILD_TARGET: build
# only that target.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}

packages=(build-essential cmake ninja-build pkg-config libsqlite3-dev sqlite3
          libgtest-dev libgmock-dev libbenchmark-dev qt6-base-dev libgl-dev xvfb xauth
          poppler-utils fonts-dejavu-core libgif-dev locales clang libclang-rt-dev
          ${VT_EXTRA_PACKAGES:-})
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

cmake -S "$root" -B "$build" -G Ninja ${VT_CMAKE_ARGS:-}
cmake --build "$build" -j "$(nproc)" ${VT_BUILD_TARGET:+--target "$VT_BUILD_TARGET"}
