#!/usr/bin/env bash
# Builds the plug-in and ondex-host for Linux and for Windows and packs each
# build into its release archive, the Linux one also into the Debian package
# and the Windows one into the setup program, each with a SHA-256 sum file,
# in build/dist/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
version="$(sed -n 's/^project(Ondex VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
rm -rf build/dist
for preset in linux windows; do
  echo "== package $preset"
  targets=(Ondex OndexClap OndexVst3 ondex-host)
  [ "$preset" = windows ] && targets+=(setup)
  [ "$preset" = linux ] && targets+=(OndexLv2Bundle)  # LV2 is Linux's own
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --target "${targets[@]}"
  (cd "build/$preset" && cpack -B ../dist >/dev/null)
done
rm -rf build/dist/_CPack_Packages
setup="Ondex-$version-setup.exe"
cp "build/windows/$setup" build/dist/
cd build/dist
sha256sum "$setup" >"$setup.sha256"
for file in Ondex-*.tar.gz Ondex-*.zip ondex_*.deb "$setup"; do
  echo "$file  $(stat -c %s "$file") bytes  sha256 $(cut -d' ' -f1 "$file.sha256")"
done
