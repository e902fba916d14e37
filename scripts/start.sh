#!/usr/bin/env bash
# Sets up and builds, makes the prepared camp database beside the program, and starts Vantrel.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build
"$root/scripts/setup.sh" "$build"

program=$build/bin/Vantrel
if [ ! -x "$program" ]; then
  echo "The camp database is ready: $build/bin/Vantrel.mdb (the program itself is not built yet)."
  exit 0
fi
if [ -z "${DISPLAY:-}" ]; then
  echo "No display: starting Vantrel under a virtual X server."
  exec xvfb-run -a "$program"
fi
exec "$program"
