#!/usr/bin/env bash
# Installs every tool the kit needs from Debian's archive. Safe to run again:
# it only calls apt-get when something is missing.
#
# The archive is not always whole: an index that fails to download is
# retried a few times; everything that can be installed then is, and what
# could not be is said in one line. Only wine32:i386 may be missing
# afterwards (it needs the i386 indexes to match the amd64 libraries already
# installed); the test run then takes the path without 32-bit Wine.
set -uo pipefail
here=$(dirname "$(readlink -f "$0")")

need=()
have_cmd() { command -v "$1" >/dev/null 2>&1; }

have_cmd i686-w64-mingw32-g++-posix   || need+=(g++-mingw-w64-i686-posix)
have_cmd x86_64-w64-mingw32-g++-posix || need+=(g++-mingw-w64-x86-64-posix)
have_cmd x86_64-w64-mingw32-windres   || need+=(binutils-mingw-w64)
have_cmd cmake                        || need+=(cmake)
have_cmd ninja                        || need+=(ninja-build)
have_cmd g++                          || need+=(g++)
have_cmd clang++                      || need+=(clang)
have_cmd Xvfb                         || need+=(xvfb)
have_cmd xdotool                      || need+=(xdotool)
have_cmd xdpyinfo                     || need+=(x11-utils)
have_cmd file                         || need+=(file)
have_cmd import                       || need+=(imagemagick)
have_cmd wineserver                   || need+=(wine)
[ -x /usr/lib/wine/wine64 ]           || need+=(wine64)
[ -d /usr/src/googletest ]            || need+=(googletest)
[ -f /usr/include/gtest/gtest.h ]     || need+=(libgtest-dev libgmock-dev)
[ -f /usr/include/benchmark/benchmark.h ] || need+=(libbenchmark-dev)
[ -f /usr/include/nlohmann/json.hpp ] || need+=(nlohmann-json3-dev)
[ -d /usr/share/fonts/truetype/wqy ]  || need+=(fonts-wqy-microhei)
dpkg -s locales >/dev/null 2>&1       || need+=(locales)
ls /usr/lib/llvm-14/lib/clang/14*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1 || need+=(libclang-rt-14-dev)

export DEBIAN_FRONTEND=noninteractive
updated=
update_error=
update_lists() {
  [ -z "$updated" ] || return 0
  updated=1
  local attempt log
  log=$(mktemp)
  for attempt in 1 2 3; do
    if apt-get update -qq >"$log" 2>&1; then
      rm -f "$log"
      return 0
    fi
    [ $attempt -lt 3 ] && sleep 15
  done
  # The lists that did download are used; say which one did not.
  update_error=$(grep -m1 -E '^(E|Err):' "$log" | cut -c1-200)
  echo "setup: apt-get update failed 3 times, going on with the lists it has: $update_error"
  rm -f "$log"
}

if [ ${#need[@]} -gt 0 ]; then
  echo "setup: installing ${need[*]}"
  update_lists
  if ! apt-get install -y -qq --no-install-recommends "${need[@]}" >/tmp/kit-setup-apt.log 2>&1; then
    tail -n 20 /tmp/kit-setup-apt.log
    echo "setup: FAILED to install ${need[*]}"
    exit 1
  fi
fi

# 32-bit Wine: wanted on every machine (natively where the kernel runs i386
# code, through qemu-user where it does not), but the one part that may be
# missing. A failed attempt is remembered for an hour, so that every script
# calling this one does not wait for the archive again.
wine32_stamp=/var/lib/kit-setup/wine32-unavailable
if ! dpkg -s wine32:i386 >/dev/null 2>&1; then
  if [ -f "$wine32_stamp" ] && [ -n "$(find "$wine32_stamp" -mmin -60 2>/dev/null)" ]; then
    echo "setup: wine32:i386 is not installed ($(cat "$wine32_stamp"))"
  else
    dpkg --print-foreign-architectures | grep -qx i386 || { dpkg --add-architecture i386; updated=; }
    update_lists
    if apt-get install -y -qq --no-install-recommends wine32:i386 >/tmp/kit-setup-apt.log 2>&1; then
      rm -f "$wine32_stamp"
    else
      mkdir -p "$(dirname "$wine32_stamp")"
      if [ -n "$update_error" ]; then
        why="an index of the archive did not download"
      else
        why=$(grep -m1 -E "Depends:|^E:" /tmp/kit-setup-apt.log | sed 's/^ *//' | cut -c1-160)
      fi
      echo "apt-get could not install it at $(date '+%H:%M'): ${why:-see /tmp/kit-setup-apt.log}" >"$wine32_stamp"
      echo "setup: wine32:i386 is not installed ($(cat "$wine32_stamp")); 32-bit Windows programs cannot run here"
    fi
  fi
fi

# Where the kernel cannot run i386 code, 32-bit Wine runs only through
# qemu-user, for the console's smoke test and the main command.
if dpkg -s wine32:i386 >/dev/null 2>&1 && ! have_cmd qemu-i386-static; then
  . "$here/../tests/wine/loader.sh"
  kit_wine32_probe
  if [ "$KIT_WINE32_NATIVE" != yes ]; then
    echo "setup: installing qemu-user-static (32-bit Wine does not run natively: $KIT_WINE32_WHY)"
    update_lists
    apt-get install -y -qq --no-install-recommends qemu-user-static >/tmp/kit-setup-apt.log 2>&1 ||
      echo "setup: qemu-user-static could not be installed; the 32-bit console cannot be started here"
  fi
fi

# The Chinese end-to-end runs need a zh_CN locale so that Wine reports 0x0804.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf8$'; then
  sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/; s/^# *\(en_US.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >> /etc/locale.gen
  grep -q '^en_US.UTF-8 UTF-8' /etc/locale.gen || echo 'en_US.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi
echo "setup: tools ready"
