#!/usr/bin/env bash
# Runs every test: the native unit tests (plain and under ASan+UBSan) and the
# Windows tests under Wine, each test program on a virtual display of its own
# (so that two can run at once). Screenshots of the end-to-end runs are
# collected in build/screenshots/<tree>/<test>/.
set -uo pipefail
cd "$(dirname "$0")/.."

bash scripts/build.sh native native-asan win32 win64 || { echo "test: build failed"; exit 1; }

status=0
run() {
  echo "== $*"
  "$@" || status=1
}

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
run ctest --preset native -j 2
run ctest --preset native-asan -j 2
# A Wine test program that fails is run once more: on a loaded machine a
# fresh prefix occasionally starts a program too slowly for the driver's
# time-outs; a fault in the kit fails both runs.
run env -u DISPLAY KIT_WINE_DISPLAY=private ctest --preset win32 -j 2 --repeat until-pass:2
run env -u DISPLAY KIT_WINE_DISPLAY=private ctest --preset win64 -j 2 --repeat until-pass:2
run bash scripts/fuzz.sh

rm -rf build/screenshots
for tree in win32 win64; do
  if [ -d "build/$tree/screenshots" ]; then
    mkdir -p "build/screenshots/$tree"
    cp -r "build/$tree/screenshots/." "build/screenshots/$tree/"
  fi
done
echo "screenshots: $(find build/screenshots -name '*.png' 2>/dev/null | wc -l) in build/screenshots"

if [ $status -eq 0 ]; then echo "test: all suites passed"; else echo "test: FAILURES"; fi
exit $status
