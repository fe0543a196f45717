#!/usr/bin/env bash
# Builds the plug-in and ondex-host for Linux and for Windows and packs each
# build into its release archive, with a SHA-256 sum file, in build/dist/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
rm -rf build/dist
for preset in linux windows; do
  echo "== package $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --target Ondex OndexClap OndexVst3 ondex-host
  (cd "build/$preset" && cpack -B ../dist >/dev/null)
done
rm -rf build/dist/_CPack_Packages
cd build/dist
for archive in Ondex-*.tar.gz Ondex-*.zip; do
  echo "$archive  $(stat -c %s "$archive") bytes  sha256 $(cut -d' ' -f1 "$archive.sha256")"
done
