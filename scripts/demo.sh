#!/usr/bin/env bash
# The main job: sets up what is missing, builds both plug-ins and ondex-host,
# then renders the built-in demo phrase through every factory program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh linux windows
echo
echo "== build/linux/ondex-host demo: every program of build/linux/Ondex.so"
build/linux/ondex-host demo --out-dir build/demo
echo
echo "== build/linux/ondex-host snapshot: the editor window"
build/linux/ondex-host snapshot --out build/demo/editor.png
echo
echo "== the Windows build under Wine: build/windows/Ondex.dll, default program"
build/windows/wine-run.sh --start
build/windows/wine-run.sh build/windows/ondex-host.exe render --out build/demo/windows-default.wav
build/windows/wine-run.sh --stop
