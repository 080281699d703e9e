#!/usr/bin/env bash
# CTest emulator for the Windows test programs: runs one program under Wine in
# a fresh prefix of its own, with a display, a time-out and a clean ending.
#
#   wine-run.sh <exe> [args...]
#
# Environment (all optional):
#   KIT_BUILD_DIR       build tree (CTest sets it); default: the nearest folder
#                       above the exe that holds CMakeCache.txt
#   KIT_WINE_TIMEOUT    seconds before the program is killed (default 540;
#                       kit_wine_test sets it a tenth below the test's TIMEOUT)
#   KIT_WINE_LOCALE     Unix locale for the run, e.g. zh_CN.UTF-8
#   KIT_WINE_DISPLAY    "private" to always use an Xvfb of this run's own
#   KIT_SCREENSHOT_DIR  where the program saves screenshots (default
#                       $KIT_BUILD_DIR/screenshots/<exe name>, emptied first)
#   KIT_WINE_KEEP_PREFIX  1 keeps the prefix after a passing run (a failing
#                       run always keeps it for inspection)
#   WINEDEBUG           kept when set, else -all
set -uo pipefail

here=$(dirname "$(readlink -f "$0")")
. "$here/display.sh"
. "$here/loader.sh"

die() { echo "wine-run: $*" >&2; exit 2; }

[ $# -ge 1 ] || die "usage: wine-run.sh <exe> [args...]"
exe=$(readlink -f "$1") || die "no such program: $1"
shift
[ -f "$exe" ] || die "no such program: $exe"
name=$(basename "$exe")
name=${name%.*}

build_dir=${KIT_BUILD_DIR:-}
if [ -z "$build_dir" ]; then
  d=$(dirname "$exe")
  while [ "$d" != / ] && [ ! -f "$d/CMakeCache.txt" ]; do d=$(dirname "$d"); done
  [ -f "$d/CMakeCache.txt" ] || die "no build folder above $exe; set KIT_BUILD_DIR"
  build_dir=$d
fi
build_dir=$(readlink -f "$build_dir")

export WINEARCH=win64
kit_wine_for "$exe"
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree=;mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
timeout_s=${KIT_WINE_TIMEOUT:-540}
case $timeout_s in ''|*[!0-9]*) die "KIT_WINE_TIMEOUT must be a number of seconds" ;; esac

# --- template prefix, booted once per build tree ----------------------------
# Parallel tests wait on the lock for one boot; the stamp is written last, so
# a boot that was interrupted is redone from scratch.
template=$build_dir/wine-template
stamp=$template/.kit-template-ready
mkdir -p "$build_dir/wine-prefixes" || die "cannot create $build_dir/wine-prefixes"
{
  flock -w 600 9 || die "timed out waiting for the template prefix lock"
  # Booted again when wine32 came or went since (the 32-bit system files).
  if [ "$(cat "$stamp" 2>/dev/null)" != "$(kit_wine_parts)" ]; then
    echo "wine-run: booting the template prefix $template" >&2
    WINEPREFIX=$template wineserver -k 2>/dev/null
    rm -rf "$template"
    started=$(date +%s)
    # The boot needs no display; its servers must not inherit the lock. A
    # crashing program must not wait on winedbg's dialog until the time-out.
    if ! ( unset DISPLAY; WINEPREFIX=$template "${KIT_WINE[@]}" wineboot -i >"$build_dir/wine-template.log" 2>&1 9>&- \
           && WINEPREFIX=$template "${KIT_WINE[@]}" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog \
                /t REG_DWORD /d 0 /f >>"$build_dir/wine-template.log" 2>&1 9>&- \
           && WINEPREFIX=$template wineserver -w 9>&- ); then
      die "wineboot failed (see $build_dir/wine-template.log)"
    fi
    kit_wine_parts >"$stamp"
    echo "wine-run: template ready in $(( $(date +%s) - started )) s" >&2
  fi
} 9>"$build_dir/wine-template.lock"

# --- this run's own prefix ---------------------------------------------------
prefix=$build_dir/wine-prefixes/$name
export WINEPREFIX=$prefix
if [ -d "$prefix" ]; then
  wineserver -k 2>/dev/null   # a server left by an earlier, killed run
  rm -rf "$prefix" || die "cannot remove $prefix"
fi
cp -a "$template" "$prefix" || die "cannot copy the template prefix to $prefix"

# Screenshots go to a folder per program, so that two programs saving the
# same name cannot overwrite each other's; the default folder starts empty,
# so no picture of an earlier run is taken for one of this run.
if [ -z "${KIT_SCREENSHOT_DIR:-}" ]; then
  KIT_SCREENSHOT_DIR=$build_dir/screenshots/$name
  rm -rf "$KIT_SCREENSHOT_DIR"
fi
export KIT_SCREENSHOT_DIR
mkdir -p "$KIT_SCREENSHOT_DIR" || die "cannot create $KIT_SCREENSHOT_DIR"

wine_pid=
cleanup() {
  # timeout passes the signal on to wine; wineserver -k ends the rest.
  if [ -n "$wine_pid" ]; then kill -TERM "$wine_pid" 2>/dev/null; fi
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
  kit_display_release
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

xvfb_log=$build_dir/wine-prefixes/$name.xvfb.log
: >"$xvfb_log"
kit_display_acquire "$xvfb_log" || exit 1

locale_env=()
if [ -n "${KIT_WINE_LOCALE:-}" ]; then
  # Without the locale installed the C library falls back to "C" silently.
  canon() { tr 'A-Z' 'a-z' | tr -d '-'; }
  if ! locale -a 2>/dev/null | canon | grep -qx "$(printf %s "$KIT_WINE_LOCALE" | canon)"; then
    echo "wine-run: locale $KIT_WINE_LOCALE is not installed (see scripts/setup.sh)" >&2
  fi
  locale_env=(LC_ALL="$KIT_WINE_LOCALE" LANG="$KIT_WINE_LOCALE")
fi

# In the background so that a TERM from CTest reaches the trap at once.
env "${locale_env[@]}" timeout -k 10 "$timeout_s" "${KIT_WINE[@]}" "$exe" "$@" &
wine_pid=$!
wait "$wine_pid"
rc=$?
wine_pid=
if [ $rc -eq 124 ]; then
  echo "wine-run: $name did not finish within $timeout_s s and was killed" >&2
fi

wineserver -k 2>/dev/null
wineserver -w 2>/dev/null
if [ $rc -eq 0 ] && [ "${KIT_WINE_KEEP_PREFIX:-0}" != 1 ]; then
  rm -rf "$prefix"
fi
[ $rc -ne 0 ] || rm -f "$xvfb_log"
exit $rc
