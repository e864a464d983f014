#!/usr/bin/env bash
# Installs what is missing, builds the test configuration (AddressSanitizer and
# UndefinedBehaviorSanitizer) into build-test/ and runs every test on the offscreen platform.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
tools/format.sh --check
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUILLON_SANITIZE=ON \
  -DQUILLON_WERROR=ON -DQUILLON_TESTS=ON >/dev/null
cmake --build build-test --parallel 2
cd build-test
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel 2 "$@"
