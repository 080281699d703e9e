#!/usr/bin/env bash
# The main job: builds both programs and starts one under Wine.
#   scripts/run.sh            start the console, Vantrel.exe
#   scripts/run.sh wizard     start the wizard, Quispor.exe
# With no display a virtual one is started; a screenshot of the program's
# window is saved either way in build/run/, and without a real display the
# program is closed after it.
#
# The console is a 32-bit program. Where 32-bit Wine cannot run natively it
# is started through qemu-user (the first start takes about a minute), and
# where that cannot be set up either, the x86-64 build of the same sources
# is started instead, saying so.
set -euo pipefail
cd "$(dirname "$0")/.."
. tests/wine/loader.sh
# The EXIT traps below undo a qemu binfmt entry; a signal must reach them too.
trap 'exit 130' INT; trap 'exit 143' TERM; trap 'exit 129' HUP
bash scripts/setup.sh

case "${1:-console}" in
  console) program=console; title=ZELTANOOpos ;;
  wizard)  program=wizard; title='^VEXO Printer Driver' ;;
  *) echo "usage: $0 [console|wizard]" >&2; exit 2 ;;
esac

# Only the programs: the tests are built by scripts/test.sh.
build() { cmake --preset "$1" >/dev/null && cmake --build --preset "$1" -j "${KIT_JOBS:-2}" --target "$2"; }
wait_s=30
if [ "$program" = wizard ]; then
  build win64 Quispor
  exe=dist/Quispor/Quispor.exe
else
  build win32 Vantrel
  exe=dist/Vantrel/Vantrel.exe
  kit_console_path
  if [ "$KIT_CONSOLE_PATH" = x86-64 ]; then
    if kit_qemu_i386_enable; then
      trap kit_qemu_i386_disable EXIT
      echo "run: 32-bit Wine does not run natively here ($KIT_CONSOLE_PATH_WHY); starting Vantrel.exe through qemu-user, the first start takes about a minute"
      wait_s=300
    else
      echo "run: 32-bit Wine cannot run here ($KIT_CONSOLE_PATH_WHY; qemu: $KIT_QEMU_WHY); starting the x86-64 build of the console instead"
      build console64 Vantrel
      exe=build/console64/dist/Vantrel/Vantrel.exe
    fi
  fi
fi
[ -f "$exe" ] || { echo "run: $exe was not built" >&2; exit 1; }
kit_wine_for "$exe"

export WINEPREFIX="${WINEPREFIX:-$PWD/build/run/prefix}" WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="mscoree=;mshtml="
mkdir -p build/run
# A prefix booted before wine32 was installed has no 32-bit system files.
if [ "$(cat "$WINEPREFIX/.kit-booted" 2>/dev/null)" != "$(kit_wine_parts)" ]; then
  echo "run: preparing a Wine prefix in $WINEPREFIX"
  wineserver -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
  # The 64-bit loader boots it on every machine; the 32-bit one may not start.
  (export WINELOADER=$KIT_WINE64_LOADER; "$KIT_WINE64_LOADER" wineboot -i >/dev/null 2>&1; wineserver -w)
  kit_wine_parts >"$WINEPREFIX/.kit-booted"
fi

shot="build/run/$(basename "$exe" .exe).png"
# Waits for the program's window (by its title) and saves the screen.
screenshot_when_shown() {
  local waited=0
  until xdotool search --onlyvisible --name "$title" >/dev/null 2>&1; do
    if [ $waited -ge "$wait_s" ]; then echo "run: no window after $wait_s s" >&2; break; fi
    sleep 1
    waited=$((waited + 1))
  done
  sleep 2   # the first paint
  bash tests/wine/screenshot.sh "$shot"
  echo "run: screenshot in $shot"
}

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  "${KIT_WINE[@]}" "$exe" & pid=$!
  screenshot_when_shown || true
  echo "run: close the window to finish"
  wait $pid || true
else
  . tests/wine/display.sh
  trap 'wineserver -k 2>/dev/null; kit_display_release; kit_qemu_i386_disable' EXIT
  kit_display_acquire
  "${KIT_WINE[@]}" "$exe" &
  screenshot_when_shown
fi
wineserver -k 2>/dev/null || true
