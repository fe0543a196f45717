#!/usr/bin/env bash
# The products as a user meets them, after scripts/package.sh: both release
# archives unpacked and their packaged ondex-host run on the packaged module
# (the Windows one under Wine), the install tree of `cmake --install`, and
# scripts/install.sh installing into and uninstalling from a temporary HOME.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
dist="$root/build/dist"
wine="$root/build/windows/wine-run.sh"
version="$(sed -n 's/^project(Ondex VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0

pass() { echo "ok   $1"; }
fail() {
  echo "FAIL $1"
  failures=$((failures + 1))
}
# expect DESCRIPTION TEXT NEEDLE: TEXT holds the line NEEDLE (exactly, after
# any carriage return Windows programs end lines with).
expect() {
  if tr -d '\r' <<<"$2" | grep -qxF -- "$3"; then pass "$1"; else
    fail "$1: no line '$3' in:"
    sed 's/^/     /' <<<"$2"
  fi
}
listing() { (cd "$1" && find . -mindepth 1 | sed 's|^\./||' | sort | tr '\n' ' '); }
expect_files() {
  local found
  found="$(listing "$2")"
  if [ "$found" = "$3" ]; then pass "$1"; else fail "$1: found '$found', wanted '$3'"; fi
}

echo "== archives of version $version in $dist"
(cd "$dist" && sha256sum --quiet -c ./*.sha256) && pass "SHA-256 sums match" || fail "SHA-256 sums"

linux="$work/linux/Ondex-$version-linux-x86_64"
mkdir -p "$work/linux"
tar -xzf "$dist/Ondex-$version-linux-x86_64.tar.gz" -C "$work/linux"
bundle() { echo "Ondex.vst3 Ondex.vst3/Contents Ondex.vst3/Contents/Resources Ondex.vst3/Contents/Resources/moduleinfo.json Ondex.vst3/Contents/$1 Ondex.vst3/Contents/$1/$2"; }
expect_files "Linux archive contents" "$linux" \
  "LICENSE Ondex.clap Ondex.so $(bundle x86_64-linux Ondex.so) README.md install.sh ondex-host "
expect "Linux ondex-host --version" "$("$linux/ondex-host" --version)" "ondex-host $version"
info="$("$linux/ondex-host" info)"
expect "Linux info takes the module beside it" "$info" "module      $linux/Ondex.so"
expect "Linux module's name" "$info" "effect      Corvane Ondex"
expect "Linux module's vendor" "$info" "vendor      Zel-acoustics"
expect "Linux module has its editor" "$info" "flags       0x31 (editor replacing chunks)"
expect "Linux CLAP module's name" "$("$linux/ondex-host" info --plugin "$linux/Ondex.clap")" \
  "effect      Corvane Ondex"

windows="$work/windows/Ondex-$version-windows-x64"
mkdir -p "$work/windows"
(cd "$work/windows" && cmake -E tar xf "$dist/Ondex-$version-windows-x64.zip")
expect_files "Windows archive contents" "$windows" \
  "LICENSE.txt Ondex.clap Ondex.dll $(bundle x86_64-win Ondex.vst3) README.md ondex-host.exe "
"$wine" --start
expect "Windows ondex-host --version" "$("$wine" "$windows/ondex-host.exe" --version)" \
  "ondex-host $version"
info="$("$wine" "$windows/ondex-host.exe" info)"
clapinfo="$("$wine" "$windows/ondex-host.exe" info --plugin "Z:$windows/Ondex.clap")"
"$wine" --stop
expect "Windows CLAP module's name" "$clapinfo" "effect      Corvane Ondex"
expect "Windows module's name" "$info" "effect      Corvane Ondex"
expect "Windows module's vendor" "$info" "vendor      Zel-acoustics"
expect "Windows module has its editor" "$info" "flags       0x31 (editor replacing chunks)"
expect "Windows module's version resource" "$info" \
  "file info   Corvane Ondex $version (file $version.0), Zel-acoustics"
numbers() { sed -n "s/$1/\\1/p" | sort -n | tr '\n' ' '; }
wanted="$(numbers '^\([0-9]*\) BITMAP .*' <"$root/resources/ondex.rc")"
for module in Ondex.dll Ondex.clap; do
  found="$(x86_64-w64-mingw32-windres -J coff -i "$windows/$module" -O rc | numbers '^\([0-9]*\) 2 .*')"
  if [ -n "$wanted" ] && [ "$found" = "$wanted" ]; then
    pass "$module carries every bitmap of its editor"
  else
    fail "$module's bitmaps: found '$found', wanted '$wanted'"
  fi
done
if strings -el "$windows/ondex-host.exe" | grep -qxF "$version"; then
  pass "ondex-host.exe carries its version"
else
  fail "ondex-host.exe carries no version text $version"
fi

echo "== cmake --install"
prefix="$work/prefix"
cmake --install "$root/build/linux" --prefix "$prefix" >/dev/null
expect_files "install tree" "$prefix" "bin bin/ondex-host lib lib/clap lib/clap/Ondex.clap lib/vst lib/vst/Ondex.so lib/vst3 $(bundle x86_64-linux Ondex.so | sed 's|Ondex.vst3|lib/vst3/Ondex.vst3|g') "
expect "installed ondex-host finds the installed module" "$("$prefix/bin/ondex-host" info)" \
  "module      $prefix/lib/vst/Ondex.so"

echo "== install.sh"
home="$work/home"
mkdir -p "$home/.vst" "$home/.clap" "$home/.vst3/Other.vst3"
touch "$home/.vst/Other.so" "$home/.clap/Other.clap"
out="$(HOME="$home" VST_PATH="" CLAP_PATH="" "$linux/install.sh")"
expect "install.sh says where" "$out" "installed $home/.vst/Ondex.so"
expect "install.sh says where the CLAP module goes" "$out" "installed $home/.clap/Ondex.clap"
cmp -s "$linux/Ondex.clap" "$home/.clap/Ondex.clap" && pass "CLAP module installed whole" ||
  fail "CLAP module installed whole"
cmp -s "$linux/Ondex.so" "$home/.vst/Ondex.so" && pass "module installed whole" ||
  fail "module installed whole"
expect "install.sh says where the VST 3 bundle goes" "$out" "installed $home/.vst3/Ondex.vst3"
diff -r "$linux/Ondex.vst3" "$home/.vst3/Ondex.vst3" >/dev/null && pass "VST 3 bundle installed whole" ||
  fail "VST 3 bundle installed whole"
expect "the installed module loads" "$("$linux/ondex-host" info --plugin "$home/.vst/Ondex.so")" \
  "effect      Corvane Ondex"
HOME="$home" "$linux/install.sh" >/dev/null && pass "installs again over itself" ||
  fail "installs again over itself"
out="$(HOME="$home" "$linux/install.sh" --uninstall)"
expect "uninstall says what" "$out" "removed $home/.vst/Ondex.so"
expect "uninstall says what of the CLAP module" "$out" "removed $home/.clap/Ondex.clap"
expect "uninstall says what of the VST 3 bundle" "$out" "removed $home/.vst3/Ondex.vst3"
expect_files "uninstall removes exactly the modules" "$home" \
  ".clap .clap/Other.clap .vst .vst/Other.so .vst3 .vst3/Other.vst3 "
out="$(HOME="$home" VST_PATH=":$work/vst a:$work/vst-b" CLAP_PATH="$work/clap a:$work/clap-b" \
  "$linux/install.sh")"
expect "first folder of VST_PATH" "$out" "installed $work/vst a/Ondex.so"
expect "first folder of CLAP_PATH" "$out" "installed $work/clap a/Ondex.clap"
out="$(HOME="$home" VST_PATH="$work/vst a" CLAP_PATH="$work/clap a" "$linux/install.sh" --uninstall)"
expect "uninstall from VST_PATH" "$out" "removed $work/vst a/Ondex.so"
expect "uninstall from CLAP_PATH" "$out" "removed $work/clap a/Ondex.clap"
[ ! -e "$work/vst a/Ondex.so" ] && [ ! -e "$work/vst-b" ] && pass "nothing left in VST_PATH" ||
  fail "nothing left in VST_PATH"
[ ! -e "$work/clap a/Ondex.clap" ] && [ ! -e "$work/clap-b" ] && pass "nothing left in CLAP_PATH" ||
  fail "nothing left in CLAP_PATH"
status=0
HOME="$home" "$linux/install.sh" --frobnicate 2>/dev/null || status=$?
[ "$status" -eq 2 ] && pass "unknown option refused" || fail "unknown option: status $status"

echo "== $failures failed"
[ "$failures" -eq 0 ]
