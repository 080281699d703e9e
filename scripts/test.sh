#!/usr/bin/env bash
# Runs every test: the native unit tests (plain and under ASan+UBSan), the
# Windows tests under Wine (each test program on a virtual display of its
# own, so that two can run at once) and the fuzz targets. Screenshots of the
# end-to-end runs are collected in build/screenshots/<tree>/<test>/.
#
# Where 32-bit Wine cannot run natively (a kernel without IA-32 emulation,
# or no wine32), the console's Windows tests run from an x86-64 build of the
# same sources (preset console64) and the shipped 32-bit console gets one
# smoke test under qemu-user. KIT_CONSOLE_PATH=native32 or x86-64 forces
# either path.
set -uo pipefail
cd "$(dirname "$0")/.."
. tests/wine/loader.sh

bash scripts/setup.sh || { echo "test: setup failed"; exit 1; }

kit_wine32_probe
echo "rig: can this machine run 32-bit Wine natively? $KIT_WINE32_NATIVE ($KIT_WINE32_WHY)"
kit_console_path || exit 2
if [ "$KIT_CONSOLE_PATH" = native32 ]; then
  echo "rig: the console's Windows tests run in the 32-bit tree (${KIT_CONSOLE_PATH_WHY})"
  [ "$KIT_WINE32_NATIVE" = yes ] || echo "rig: warning: forced onto native 32-bit Wine, which this machine cannot run"
  trees=(native native-asan win32 win64)
else
  echo "rig: the console's Windows tests run from the x86-64 build, preset console64 (${KIT_CONSOLE_PATH_WHY})"
  trees=(native native-asan win32 win64 console64)
fi

bash scripts/build.sh "${trees[@]}" || { echo "test: build failed"; exit 1; }

status=0
summary=()
logs=build/test-logs
mkdir -p "$logs"

# Runs one CTest preset, keeps its output and adds a summary line.
run_ctest() {
  local name=$1 path=$2
  shift 2
  local started log
  started=$(date +%s)
  log=$logs/$name.log
  echo "== ctest $name $*"
  ctest "$@" 2>&1 | tee "$log"
  local rc=${PIPESTATUS[0]}
  local counts
  counts=$(grep -oE '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  summary+=("$(printf '%-12s %s, %s, %s s' "$name" "${counts:-no tests ran}" "$path" $(( $(date +%s) - started )))")
  [ "$rc" -eq 0 ] && [ -n "$counts" ] || status=1
}

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
run_ctest native "host" --preset native -j 2
run_ctest native-asan "host, ASan+UBSan" --preset native-asan -j 2

# Every Wine test program gets an Xvfb of its own. None is run twice: a fault
# must fail the first time.
unset DISPLAY
export KIT_WINE_DISPLAY=private
if [ "$KIT_CONSOLE_PATH" = native32 ]; then
  run_ctest win32 "native 32-bit Wine" --preset win32 -j 2
else
  summary+=("$(printf '%-12s %s' win32 "built only: its Windows tests ran from the x86-64 build")")
  run_ctest console64 "x86-64 build, 64-bit loader" --preset console64 -j 2 -LE qemu
  echo "== qemu smoke of the 32-bit console"
  smoke=$(bash tests/wine/qemu-smoke.sh build/console64 build/win32 dist)
  [ $? -eq 0 ] || status=1
  echo "$smoke"
  summary+=("$(printf '%-12s %s' qemu-smoke "$(tail -n 1 <<<"$smoke" | sed 's/^qemu smoke: //')")")
fi
run_ctest win64 "64-bit loader" --preset win64 -j 2

echo "== fuzz"
started=$(date +%s)
bash scripts/fuzz.sh 2>&1 | tee "$logs/fuzz.log"
fuzz_rc=${PIPESTATUS[0]}
[ "$fuzz_rc" -eq 0 ] || status=1
summary+=("$(printf '%-12s %s, %s s' fuzz "$(grep -c ' ok (' "$logs/fuzz.log") of $(grep -oE '^fuzz: [0-9]+ targets' "$logs/fuzz.log" | grep -oE '[0-9]+') targets without findings" $(( $(date +%s) - started )))")

rm -rf build/screenshots
for tree in win32 win64 console64; do
  if [ -d "build/$tree/screenshots" ]; then
    mkdir -p "build/screenshots/$tree"
    cp -r "build/$tree/screenshots/." "build/screenshots/$tree/"
  fi
done
echo "screenshots: $(find build/screenshots -name '*.png' 2>/dev/null | wc -l) in build/screenshots"

echo "== summary (console path: $KIT_CONSOLE_PATH)"
printf '%s\n' "${summary[@]}"
if [ $status -eq 0 ]; then echo "test: all suites passed"; else echo "test: FAILURES"; fi
exit $status
