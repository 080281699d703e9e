#!/usr/bin/env bash
# The main job: builds both programs and starts one under Wine.
#   scripts/run.sh            start the console, Vantrel.exe
#   scripts/run.sh wizard     start the wizard, Quispor.exe
# With no display a virtual one is started; a screenshot is saved either way
# in build/run/, and without a real display the program is closed after it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
# Only the two programs: the tests are built by scripts/test.sh.
cmake --preset win32 >/dev/null && cmake --build --preset win32 -j "${KIT_JOBS:-2}" --target Vantrel
cmake --preset win64 >/dev/null && cmake --build --preset win64 -j "${KIT_JOBS:-2}" --target Quispor

case "${1:-console}" in
  console) exe=dist/Vantrel/Vantrel.exe ;;
  wizard)  exe=dist/Quispor/Quispor.exe ;;
  *) echo "usage: $0 [console|wizard]" >&2; exit 2 ;;
esac
[ -f "$exe" ] || { echo "run: $exe was not built" >&2; exit 1; }

export WINEPREFIX="${WINEPREFIX:-$PWD/build/run/prefix}"
export WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="mscoree=;mshtml="
mkdir -p build/run
if [ ! -f "$WINEPREFIX/.kit-booted" ]; then
  echo "run: preparing a Wine prefix in $WINEPREFIX"
  wineboot -i >/dev/null 2>&1; wineserver -w; touch "$WINEPREFIX/.kit-booted"
fi

shot="build/run/$(basename "$exe" .exe).png"
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  wine "$exe" & pid=$!
  sleep 5; bash tests/wine/screenshot.sh "$shot" || true
  echo "run: screenshot in $shot; close the window to finish"
  wait $pid || true
else
  bash tests/wine/with-display.sh bash -c "wine '$exe' & sleep 6; bash tests/wine/screenshot.sh '$shot'; wineserver -k"
  echo "run: screenshot in $shot"
fi
wineserver -k 2>/dev/null || true
