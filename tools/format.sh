#!/usr/bin/env bash
# clang-format over the tracked C++ sources. With --check it changes nothing and fails when a
# file differs from the house style; without it, it formats the files in place.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h' 2>/dev/null || find src cli tests bench tools fuzz -name '*.cpp' -o -name '*.h')
[ ${#files[@]} -gt 0 ] || exit 0
if [ "${1:-}" = "--check" ]; then
  clang-format --dry-run --Werror "${files[@]}"
  echo "format: ${#files[@]} files follow .clang-format"
else
  clang-format -i "${files[@]}"
fi
