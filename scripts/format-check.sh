#!/usr/bin/env bash
# Fails when a tracked C++ file differs from what clang-format makes of it
# (the .clang-format at the root); `--fix` formats them in place instead.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h' '*.cc' '*.c')
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
echo "== format (${#files[@]} files)"
clang-format --dry-run --Werror "${files[@]}"
