#!/usr/bin/env bash
# Installs the Ondex plug-in for the current user, where Linux hosts look for
# VST 2.4 plug-ins: the first folder of VST_PATH when it is set, else ~/.vst.
# --uninstall removes that file again and nothing else (stored settings stay).
set -euo pipefail

usage() {
  echo "usage: install.sh [--uninstall]"
  echo
  echo "Copies Ondex.so into the first folder of VST_PATH, or ~/.vst when VST_PATH"
  echo "is not set; --uninstall removes it from there."
}

uninstall=0
case "${1:-}" in
  "") ;;
  --uninstall) uninstall=1 ;;
  -h | --help) usage; exit 0 ;;
  *) echo "install.sh: unknown option '$1'" >&2; usage >&2; exit 2 ;;
esac
[ $# -le 1 ] || { usage >&2; exit 2; }

folder=""
IFS=: read -ra entries <<<"${VST_PATH:-}"
for entry in "${entries[@]}"; do
  [ -n "$entry" ] && { folder="$entry"; break; }
done
[ -n "$folder" ] || folder="$HOME/.vst"
folder="$(realpath -m "$folder")"
target="$folder/Ondex.so"

if [ $uninstall -eq 1 ]; then
  if [ -e "$target" ]; then
    rm -f "$target"
    echo "removed $target"
  else
    echo "nothing to remove: there is no $target"
  fi
  exit 0
fi

# The module beside this script (in the release archive), else the Linux build
# of the source tree this script belongs to.
here="$(cd "$(dirname "$0")" && pwd)"
module=""
for candidate in "$here/Ondex.so" "$here/../build/linux/Ondex.so"; do
  [ -f "$candidate" ] && { module="$candidate"; break; }
done
if [ -z "$module" ]; then
  echo "install.sh: no Ondex.so beside this script nor in build/linux" \
    "(build it first: cmake --preset linux && cmake --build --preset linux)" >&2
  exit 1
fi

mkdir -p "$folder"
# A new file renamed over the old one: a host that has the old module loaded
# keeps running on it instead of crashing on a file rewritten under it.
partial="$(mktemp "$folder/.Ondex.so.XXXXXX")"
trap 'rm -f "$partial"' EXIT
cp "$module" "$partial"
chmod 755 "$partial"
mv -f "$partial" "$target"
trap - EXIT
echo "installed $target"
echo "hosts that scan $folder find it at their next plug-in scan"
