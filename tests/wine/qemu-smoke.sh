#!/usr/bin/env bash
# The smoke test of the shipped 32-bit console on a machine whose Wine cannot
# run 32-bit programs natively: the real Vantrel.exe with the 32-bit
# stand-ins, started through qemu-user and driven from the x86-64 test build.
#
#   qemu-smoke.sh <console64 build folder> <win32 build folder> <dist folder>
#
# Prints one line that starts with "qemu smoke:" (passed, FAILED, or skipped
# and why). Exit code 0 when passed or skipped, 1 when it failed.
set -uo pipefail
here=$(dirname "$(readlink -f "$0")")
. "$here/loader.sh"

[ $# -eq 3 ] || { echo "usage: qemu-smoke.sh <console64 build> <win32 build> <dist>" >&2; exit 2; }
tests=$(readlink -f "$1") win32=$(readlink -f "$2") dist=$(readlink -f "$3")

program=$tests/qemu-smoke/program
mkdir -p "$program"
for file in "$dist/Vantrel/Vantrel.exe" "$win32/tests/standins/opos/OPOSPOSPrinter.ocx" \
            "$win32/tests/standins/opos/SOZELTANO.dll"; do
  if [ ! -f "$file" ]; then
    echo "qemu smoke: skipped ($file was not built)"
    exit 0
  fi
  cp "$file" "$program/"
done

# On a machine forced onto this path although its kernel runs i386 code,
# the same test runs on native 32-bit Wine.
kit_wine32_probe
how=qemu-user
if [ "$KIT_WINE32_NATIVE" = yes ]; then
  how="native 32-bit Wine"
elif ! kit_qemu_i386_enable; then
  echo "qemu smoke: skipped ($KIT_QEMU_WHY)"
  exit 0
fi
trap kit_qemu_i386_disable EXIT
# The entry is the kernel's: a signal must not leave it behind.
trap 'exit 130' INT; trap 'exit 143' TERM; trap 'exit 129' HUP

log=$tests/qemu-smoke/ctest.log
started=$(date +%s)
if (cd "$tests" && KIT_SMOKE_PROGRAM_DIR=$program ctest -L qemu --no-tests=error --output-on-failure >"$log" 2>&1); then
  echo "qemu smoke: passed in $(( $(date +%s) - started )) s through $how (the 32-bit Vantrel.exe started, showed its devices, saved into the 32-bit view and closed)"
  exit 0
fi
tail -n 40 "$log"
echo "qemu smoke: FAILED (log $log)"
exit 1
