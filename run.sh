#!/usr/bin/env bash
# Installs what is missing, builds into build/ and starts the configurator.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLON_TESTS=OFF >/dev/null
cmake --build build --parallel
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found. Start the configurator under a virtual display, for example:" >&2
  echo "  xvfb-run -a -s '-screen 0 1280x1024x24' ./run.sh" >&2
  exit 1
fi
exec build/bin/quillon "$@"
