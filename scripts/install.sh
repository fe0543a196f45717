#!/usr/bin/env bash
# Installs the Ondex plug-ins for the current user, where Linux hosts look for
# them: Ondex.so (VST 2.4) into the first folder of VST_PATH, else ~/.vst,
# Ondex.clap (CLAP) into the first folder of CLAP_PATH, else ~/.clap, and the
# bundle Ondex.vst3 (VST 3) into ~/.vst3. --uninstall removes those again and
# nothing else (stored settings stay).
set -euo pipefail

usage() {
  echo "usage: install.sh [--uninstall]"
  echo
  echo "Copies Ondex.so into the first folder of VST_PATH, or ~/.vst when VST_PATH"
  echo "is not set, Ondex.clap into the first folder of CLAP_PATH, or ~/.clap, and"
  echo "the Ondex.vst3 folder into ~/.vst3; --uninstall removes them from there."
}

uninstall=0
case "${1:-}" in
  "") ;;
  --uninstall) uninstall=1 ;;
  -h | --help) usage; exit 0 ;;
  *) echo "install.sh: unknown option '$1'" >&2; usage >&2; exit 2 ;;
esac
[ $# -le 1 ] || { usage >&2; exit 2; }

here="$(cd "$(dirname "$0")" && pwd)"

# first_folder PATHLIST DEFAULT: the first non-empty entry of a :-list.
first_folder() {
  local folder="" entry
  local -a entries
  IFS=: read -ra entries <<<"$1"
  for entry in "${entries[@]}"; do
    [ -n "$entry" ] && { folder="$entry"; break; }
  done
  [ -n "$folder" ] || folder="$2"
  realpath -m "$folder"
}

# place NAME FOLDER: installs or (with --uninstall) removes one module, a
# file or (the VST 3 bundle) a folder.
place() {
  local name="$1" folder="$2" target module="" candidate partial old
  target="$folder/$name"
  if [ $uninstall -eq 1 ]; then
    if [ -e "$target" ]; then
      rm -rf "$target"
      echo "removed $target"
    else
      echo "nothing to remove: there is no $target"
    fi
    return
  fi
  # The module beside this script (in the release archive), else the Linux
  # build of the source tree this script belongs to.
  for candidate in "$here/$name" "$here/../build/linux/$name"; do
    [ -e "$candidate" ] && { module="$candidate"; break; }
  done
  if [ -z "$module" ]; then
    echo "install.sh: no $name beside this script nor in build/linux" \
      "(build it first: cmake --preset linux && cmake --build --preset linux)" >&2
    exit 1
  fi
  mkdir -p "$folder"
  if [ -d "$module" ]; then
    # A new folder put in the old one's place, the old one removed after: a
    # host that has the old module loaded keeps running on its file.
    partial="$(mktemp -d "$folder/.$name.XXXXXX")"
    trap 'rm -rf "$partial"' EXIT
    cp -R "$module/." "$partial"
    chmod 755 "$partial"
    old=""
    if [ -e "$target" ]; then
      old="$(mktemp -u "$folder/.$name.old.XXXXXX")"
      mv "$target" "$old"
    fi
    mv "$partial" "$target"
    [ -z "$old" ] || rm -rf "$old"
    trap - EXIT
  else
    # A new file renamed over the old one: a host that has the old module loaded
    # keeps running on it instead of crashing on a file rewritten under it.
    partial="$(mktemp "$folder/.$name.XXXXXX")"
    trap 'rm -f "$partial"' EXIT
    cp "$module" "$partial"
    chmod 755 "$partial"
    mv -f "$partial" "$target"
    trap - EXIT
  fi
  echo "installed $target"
  echo "hosts that scan $folder find it at their next plug-in scan"
}

place Ondex.so "$(first_folder "${VST_PATH:-}" "$HOME/.vst")"
place Ondex.clap "$(first_folder "${CLAP_PATH:-}" "$HOME/.clap")"
place Ondex.vst3 "$(realpath -m "$HOME/.vst3")"
