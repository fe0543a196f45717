#!/usr/bin/env bash
# Sets up what is missing, checks the format, builds every product (the
# release builds with warnings as errors) and runs every test:
# native, ASan+UBSan, and the Windows build under Wine; then the release
# archives, the Debian package, the Windows setup program and the install as a
# user meets them; then the concurrency
# stress test under ThreadSanitizer and each fuzz target for FUZZ_SECONDS
# (default 60).
set -euo pipefail
cd "$(dirname "$0")/.."
start=$(date +%s)
bash scripts/setup.sh
bash scripts/format-check.sh
bash scripts/build.sh linux asan windows
status=0
for preset in linux asan windows; do
  echo "== test $preset"
  ctest --preset "$preset" --timeout 900 || status=1
done
echo "== package (release archives, Debian package, setup program, install)"
{ bash scripts/package.sh && bash tests/packaging/packaging_test.sh; } || status=1
echo "== test tsan (concurrency stress)"
cmake --preset tsan >/dev/null
cmake --build --preset tsan --target stress_tests
ctest --preset tsan -R '^stress_tests$' --timeout 900 || status=1
echo "== fuzz"
bash scripts/fuzz.sh || status=1
echo "== total $(( $(date +%s) - start )) s"
exit $status
