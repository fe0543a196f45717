#!/bin/sh
# Each build restores the other's chunk. Arguments: the Linux tool, the
# Windows tool (run under Wine through the given runner), a scratch folder.
linux_tool="$1"; windows_runner="$2"; windows_tool="$3"; scratch="$4"
if [ ! -x "$linux_tool" ] || [ ! -f "$windows_tool" ]; then
  echo "chunk exchange: both builds are needed; skipped"
  exit 77
fi
mkdir -p "$scratch"
set -e
"$linux_tool" write "$scratch/linux.chunk"
"$windows_runner" "$windows_tool" write "$scratch/windows.chunk"
"$linux_tool" check "$scratch/windows.chunk"
"$windows_runner" "$windows_tool" check "$scratch/linux.chunk"
