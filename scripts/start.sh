#!/usr/bin/env bash
# Installs what is missing, builds Korvane into build/ and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset program # build/ with every option named (CMakePresets.json)
cmake --build build -j"$(nproc)" --target korvane

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Korvane is built (build/korvane) but there is no display to show it on." >&2
  echo "Run it from a desktop session, or under a virtual display: xvfb-run -a build/korvane" >&2
  exit 1
fi
exec build/korvane
