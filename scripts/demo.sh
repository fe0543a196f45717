#!/usr/bin/env bash
# Sets up what is missing, builds both plug-ins and shows what each reports
# when loaded through its entry point, as a host would.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh linux windows
echo
echo "build/linux/Ondex.so:"
build/linux/ondex-identity build/linux/Ondex.so
echo "build/windows/Ondex.dll (under Wine):"
build/windows/wine-run.sh --start
build/windows/wine-run.sh build/windows/ondex-identity.exe Ondex.dll
build/windows/wine-run.sh --stop
