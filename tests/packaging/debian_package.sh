# shellcheck shell=bash
# Part of packaging_test.sh (sourced; uses its helpers): the Debian package's
# contents and computed dependencies, lintian on it, and, as root on a machine
# without the package, `dpkg -i`, the installed ondex-host on the installed
# modules, and `dpkg -r` and `--purge` leaving nothing behind.

echo "== Debian package"
deb="$dist/ondex_${version}_amd64.deb"
packaged="$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {sub(/^\.\//, "", $6); print $6}' | sort)"
wanted="usr/bin/ondex-host
usr/lib/clap/Ondex.clap
$(for file in $lv2files; do echo "usr/lib/lv2/Ondex.lv2/$file"; done)
usr/lib/vst/Ondex.so
usr/lib/vst3/Ondex.vst3/Contents/Resources/moduleinfo.json
usr/lib/vst3/Ondex.vst3/Contents/x86_64-linux/Ondex.so
usr/share/doc/ondex/README.md
usr/share/doc/ondex/changelog.gz
usr/share/doc/ondex/copyright
usr/share/man/man1/ondex-host.1.gz"
[ "$packaged" = "$wanted" ] && pass "package contents" ||
  fail "package contents: $(tr '\n' ' ' <<<"$packaged")"
depends="$(dpkg-deb -f "$deb" Depends)"
for library in libc6 libcairo2 libx11-6 libsndfile1; do
  grep -qE "(^|, )$library( \(>= [^)]*\))?(,|$)" <<<"$depends" && pass "package depends on $library" ||
    fail "package depends on $library: Depends: $depends"
done
expect "package's version" "$(dpkg-deb -f "$deb" Version)" "$version"
# Warnings left, shown: the ldconfig calls cpack adds for any shared object
# under /usr/lib (harmless for plug-in folders ldconfig does not scan).
lint="$(lintian --fail-on error "$deb" 2>&1)" && pass "lintian finds no error" ||
  fail "lintian finds errors"
grep -v 'root privileges' <<<"$lint" | sed 's/^/     /' || true

if [ "$(id -u)" -ne 0 ] || dpkg-query -W ondex >/dev/null 2>&1; then
  echo "skip dpkg -i: needs root and a machine without the package ondex"
else
  dpkg -i "$deb" >/dev/null && pass "dpkg -i installs the package" || fail "dpkg -i"
  expect "installed ondex-host loads the installed module" "$(/usr/bin/ondex-host info)" \
    "module      /usr/lib/vst/Ondex.so"
  expect "installed CLAP module loads" \
    "$(/usr/bin/ondex-host info --plugin /usr/lib/clap/Ondex.clap)" "effect      Corvane Ondex"
  expect "installed LV2 bundle loads" \
    "$(/usr/bin/ondex-host info --plugin /usr/lib/lv2/Ondex.lv2)" "effect      Corvane Ondex"
  if command -v man >/dev/null; then
    man -w ondex-host >/dev/null 2>&1 && pass "man ondex-host finds its page" ||
      fail "man ondex-host finds no page"
  fi
  dpkg -r ondex >/dev/null && pass "dpkg -r removes the package" || fail "dpkg -r"
  left=""
  for file in $wanted; do [ -e "/$file" ] && left+=" /$file"; done
  [ -z "$left" ] && [ ! -e /usr/share/doc/ondex ] && pass "removal leaves no file" ||
    fail "removal left$left"
  dpkg --purge ondex >/dev/null && ! dpkg-query -W ondex >/dev/null 2>&1 &&
    pass "purge forgets the package" || fail "dpkg --purge"
fi
