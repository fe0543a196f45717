#!/usr/bin/env bash
# Sets up what is missing, builds every product and runs every test:
# native, ASan+UBSan, and the Windows build under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$(date +%s)
bash scripts/setup.sh
bash scripts/build.sh linux asan windows
status=0
for preset in linux asan windows; do
  echo "== test $preset"
  ctest --preset "$preset" --timeout 900 || status=1
done
echo "== total $(( $(date +%s) - start )) s"
exit $status
