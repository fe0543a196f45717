# shellcheck shell=bash
# Part of packaging_test.sh (sourced; uses its helpers): the Windows setup
# program under Wine in a fresh prefix, as a studio deploys it by script:
# silent install into a chosen VST 2.4 folder, the entry in the list of
# installed programs, the installed ondex-host on the installed modules,
# updates that remember the folder and the formats left out or change them,
# and the uninstaller removing all it put there while the user's stored
# settings stay (unless asked to remove them too).

echo "== Windows setup program"
export ONDEX_WINEPREFIX="$work/wineprefix"
drive="$ONDEX_WINEPREFIX/drive_c"
# run PROGRAM ARGS...: runs it under Wine and waits until it has ended; a
# failing exit status counts as a failure.
run() {
  local status=0
  "$wine" "$@" || status=$?
  "$wine" --wait
  [ "$status" -eq 0 ] || fail "$(basename "$1") $*: exit status $status"
}
setup="$dist/Ondex-$version-setup.exe"
staged="$root/build/windows/setup-stage"  # what the setup program was built from
uninstaller='C:\Program Files\Zel-acoustics\Ondex\uninstall.exe'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Ondex'
settings_key='HKCU\Software\Zel-acoustics\Ondex'
# registry KEY: the key's values as NAME|TYPE|DATA lines (nothing when absent).
registry() { "$wine" reg query "$1" 2>/dev/null | tr -d '\r' | sed -n 's/^    //p' | sed 's/    /|/g'; }

mkdir -p "$ONDEX_WINEPREFIX"
run wineboot -i >/dev/null 2>&1
run "$setup" /S '/VST2DIR=C:\Studio Plugins\VST2'
cmp -s "$drive/Studio Plugins/VST2/Ondex.dll" "$staged/Ondex.dll" &&
  pass "setup puts the VST 2.4 module into the folder asked for" || fail "VST 2.4 module"
cmp -s "$drive/Program Files/Common Files/CLAP/Ondex.clap" "$staged/Ondex.clap" &&
  pass "setup puts the CLAP module into Common Files\\CLAP" || fail "CLAP module"
diff -r "$drive/Program Files/Common Files/VST3/Ondex.vst3" "$staged/Ondex.vst3" >/dev/null &&
  pass "setup puts the VST 3 bundle into Common Files\\VST3" || fail "VST 3 bundle"
expect_files "program folder" "$drive/Program Files/Zel-acoustics/Ondex" \
  "LICENSE.txt README.md ondex-host.exe uninstall.exe "
entry="$(registry "$uninstall_key")"
expect "installed programs list Ondex" "$entry" "DisplayName|REG_SZ|Corvane Ondex"
expect "with its publisher" "$entry" "Publisher|REG_SZ|Zel-acoustics"
expect "with its version" "$entry" "DisplayVersion|REG_SZ|$version"
expect "with its uninstaller" "$entry" "UninstallString|REG_SZ|\"$uninstaller\""
grep -qE '^EstimatedSize\|REG_DWORD\|0x[0-9a-f]{4,}$' <<<"$entry" && pass "with its size" ||
  fail "size: $entry"
host='C:\Program Files\Zel-acoustics\Ondex\ondex-host.exe'
info="$("$wine" "$host" info --plugin 'C:\Studio Plugins\VST2\Ondex.dll')"
expect "installed ondex-host.exe loads the installed module" "$info" \
  "file info   Corvane Ondex $version (file $version.0), Zel-acoustics"
expect "installed CLAP module loads" \
  "$("$wine" "$host" info --plugin 'C:\Program Files\Common Files\CLAP\Ondex.clap')" \
  "effect      Corvane Ondex"
expect "installed VST 3 bundle loads" \
  "$("$wine" "$host" info --plugin 'C:\Program Files\Common Files\VST3\Ondex.vst3')" \
  "effect      Corvane Ondex"

"$wine" reg add "$settings_key" /v Zoom /t REG_SZ /d 150 /f >/dev/null
clap="$drive/Program Files/Common Files/CLAP/Ondex.clap"
run "$setup" /S /WITHOUT=Clap
[ -f "$drive/Studio Plugins/VST2/Ondex.dll" ] &&
  [ ! -e "$drive/Program Files/Common Files/VST2" ] &&
  pass "an update keeps the VST 2.4 folder of the last install" || fail "update's folder"
[ ! -e "$clap" ] && pass "an update without a format removes it" || fail "CLAP module kept"
run "$setup" /S '/VST2DIR=C:\VST'
[ -f "$drive/VST/Ondex.dll" ] && [ ! -e "$drive/Studio Plugins/VST2/Ondex.dll" ] &&
  pass "an update into another folder moves the module" || fail "update into C:\\VST"
[ ! -e "$clap" ] && pass "an update leaves out what the last install left out" ||
  fail "CLAP module back"

run "$uninstaller" /S
left="$(cd "$drive" && find "VST" "Studio Plugins" "Program Files/Zel-acoustics" \
  "Program Files/Common Files/CLAP" "Program Files/Common Files/VST3" 2>/dev/null || true)"
[ -z "$left" ] && pass "uninstall removes every file and folder setup made" ||
  fail "uninstall left: $left"
[ -z "$(registry "$uninstall_key")" ] && pass "uninstall removes the entry" ||
  fail "uninstall keeps the entry"
! "$wine" reg query 'HKLM\Software\Zel-acoustics' >/dev/null 2>&1 &&
  pass "uninstall removes what setup noted in the registry" || fail "HKLM\Software\Zel-acoustics kept"
expect "uninstall keeps the stored settings" "$(registry "$settings_key")" "Zoom|REG_SZ|150"
run "$setup" /S
run "$uninstaller" /S /REMOVESETTINGS
[ -z "$(registry "$settings_key")" ] && pass "uninstall removes the settings when asked" ||
  fail "settings kept after /REMOVESETTINGS"
unset ONDEX_WINEPREFIX
