#!/usr/bin/env bash
# Installs what is missing, builds into build/ and starts the configurator.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLON_TESTS=OFF >/dev/null
cmake --build build --parallel
# A first start finds a working project: the demo plant, when PROJECTS holds no project yet.
mkdir -p build/bin/PROJECTS
if [ -z "$(find build/bin/PROJECTS -mindepth 1 -maxdepth 1 -type d -print -quit)" ]; then
  cp -R "examples/Demo Plant" build/bin/PROJECTS/
  mkdir -p "build/bin/PROJECTS/Demo Plant/bin"
  # With no settings yet, the first start opens it as the last project.
  [ -e build/bin/Quillon.xml ] ||
    echo '<Conf_Settings><lastproj><projectname>Demo Plant</projectname></lastproj></Conf_Settings>' \
      >build/bin/Quillon.xml
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found. Start the configurator under a virtual display, for example:" >&2
  echo "  xvfb-run -a -s '-screen 0 1280x1024x24' ./run.sh" >&2
  exit 1
fi
exec build/bin/quillon "$@"
