#!/usr/bin/env bash
# Builds the given trees (default: all four) after making sure the tools are
# installed. The Windows programs land in dist/Vantrel/ and dist/Quispor/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
presets=("$@")
[ ${#presets[@]} -gt 0 ] || presets=(native native-asan win32 win64)
for p in "${presets[@]}"; do
  echo "== build $p"
  cmake --preset "$p" >/dev/null
  cmake --build --preset "$p" -j "${KIT_JOBS:-2}"
done
