#!/usr/bin/env bash
# Start-up time under Wine (on a private Xvfb display): from process start to
# the first painted window of Vantrel.exe and Quispor.exe, each against a
# bare Win32 dialog program of the same bitness built the same way (MinGW,
# static, the same kind of manifest), over several runs after one warm-up
# run. Prints the median of each and the ratio. Not part of CI.
#
# Where 32-bit Wine cannot run natively (a kernel without IA-32 emulation,
# or no wine32), the console is measured from its x86-64 build (preset
# console64) against the 64-bit bare dialog, and the output says so.
#   KIT_STARTUP_RUNS     runs per program (default 7)
#   KIT_STARTUP_BUILD32  a configured win32 tree to use (default build/win32)
#   KIT_STARTUP_BUILD64  a configured win64 tree to use (default build/win64)
#   KIT_STARTUP_BUILDC64 a configured console64 tree (default build/console64)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

runs=${KIT_STARTUP_RUNS:-7}
b32=${KIT_STARTUP_BUILD32:-build/win32}
b64=${KIT_STARTUP_BUILD64:-build/win64}
bc64=${KIT_STARTUP_BUILDC64:-build/console64}

bash scripts/setup.sh >/dev/null
. tests/wine/loader.sh
kit_wine32_probe
[ -f "$b64/build.ninja" ] || cmake --preset win64 >/dev/null
cmake --build "$b64" -j "${KIT_JOBS:-2}" --target Quispor kit_bare_dialog kit_startup_timer >/dev/null
if [ "$KIT_WINE32_NATIVE" = yes ]; then
  [ -f "$b32/build.ninja" ] || cmake --preset win32 >/dev/null
  cmake --build "$b32" -j "${KIT_JOBS:-2}" --target Vantrel kit_bare_dialog >/dev/null
  console=$b32/console/win32/Vantrel.exe console_label="Vantrel.exe (32-bit)" console_base=bare32
else
  [ -f "$bc64/build.ninja" ] || cmake --preset console64 >/dev/null
  cmake --build "$bc64" -j "${KIT_JOBS:-2}" --target Vantrel >/dev/null
  console=$bc64/console/win32/Vantrel.exe console_label="Vantrel.exe (x86-64 build)" console_base=bare64
fi

work=$(mktemp -d /tmp/kit-startup.XXXXXX)
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
# shellcheck source=../tests/wine/display.sh
. tests/wine/display.sh
# The timer is a 64-bit program: the 64-bit loader starts it on every machine.
export WINELOADER=$KIT_WINE64_LOADER
cleanup() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  rm -rf "$work"
  kit_display_release || true
}
trap cleanup EXIT

mkdir -p "$work"/{vantrel,quispor,bare32,bare64}
cp "$console" "$work/vantrel/"
cp "$b64/wizard/ui/win32/Quispor.exe" "$work/quispor/"
[ "$KIT_WINE32_NATIVE" != yes ] || cp "$b32/tests/bench/startup/BareDialog.exe" "$work/bare32/"
cp "$b64/tests/bench/startup/BareDialog.exe" "$work/bare64/"
cp "$b64/tests/bench/startup/StartupTimer.exe" "$work/"

KIT_WINE_DISPLAY=private kit_display_acquire "$work/xvfb.log"
"$KIT_WINE64_LOADER" wineboot -i >/dev/null 2>&1
wineserver -w

measure() {  # program path relative to $work -> one time per line
  local win
  # Through the 64-bit loader: the `winepath` wrapper starts the 32-bit one
  # first, which a kernel without IA-32 emulation cannot run.
  win=$("$KIT_WINE64_LOADER" winepath -w "$work/$1" 2>/dev/null | tr -d '\r')
  "$KIT_WINE64_LOADER" "$work/StartupTimer.exe" "$win" 1 >/dev/null 2>&1 || true   # warm-up: loads Wine's DLLs
  "$KIT_WINE64_LOADER" "$work/StartupTimer.exe" "$win" "$runs" 2>/dev/null | tr -d '\r'
}

echo "startup: $runs runs each under Wine $("$KIT_WINE64_LOADER" --version 2>/dev/null), display $DISPLAY" >&2
# The machine may be shared: its load goes with the figures.
echo "startup: load average $(cut -d' ' -f1-3 /proc/loadavg) at the start ($(nproc) processors)" >&2
programs=(bare64/BareDialog.exe quispor/Quispor.exe vantrel/Vantrel.exe)
if [ "$KIT_WINE32_NATIVE" = yes ]; then
  programs+=(bare32/BareDialog.exe)
else
  echo "startup: 32-bit programs cannot run here ($KIT_WINE32_WHY): the console is measured from its x86-64 build, against the 64-bit bare dialog" >&2
fi
for p in "${programs[@]}"; do
  measure "$p" >"$work/$(dirname "$p").times"
done

echo "startup: load average $(cut -d' ' -f1-3 /proc/loadavg) at the end" >&2
python3 - "$work" "$console_label" "$console_base" <<'PY'
import statistics, sys
def times(name):
    values = [line.strip() for line in open(f"{sys.argv[1]}/{name}.times") if line.strip()]
    good = [float(v) for v in values if v != "timeout"]
    return good, len(values) - len(good)
print(f"{'program':28} {'median ms':>10} {'min':>8} {'max':>8} {'ratio':>7}")
console_label, console_base = sys.argv[2], sys.argv[3]
bits = {"bare32": "32-bit", "bare64": "64-bit"}
for program, base, label in [("vantrel", console_base, console_label), ("quispor", "bare64", "Quispor.exe (64-bit)")]:
    blabel = f"bare dialog ({bits[base]})"
    b, bfail = times(base); t, tfail = times(program)
    if not b or not t:
        print(f"{label:28} no measurement (timeouts: {tfail}, baseline timeouts: {bfail})"); continue
    bm, tm = statistics.median(b), statistics.median(t)
    print(f"{blabel:28} {bm:10.1f} {min(b):8.1f} {max(b):8.1f} {'1.00':>7}")
    print(f"{label:28} {tm:10.1f} {min(t):8.1f} {max(t):8.1f} {tm / bm:7.2f}" + (f"  ({tfail} timeouts)" if tfail else ""))
PY
