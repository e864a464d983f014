#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the GUI need, when missing.
set -euo pipefail
packages=(build-essential cmake ninja-build ccache qt6-base-dev qt6-base-dev-tools
          libpugixml-dev libgl-dev xvfb xauth clang-format)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
