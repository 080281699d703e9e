#!/usr/bin/env bash
# Installs every tool the kit needs from Debian's archive. Safe to run again:
# it only calls apt-get when something is missing.
set -euo pipefail

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
have_cmd wine                         || need+=(wine wine64 wine32:i386)
[ -d /usr/src/googletest ]            || need+=(googletest)
[ -f /usr/include/gtest/gtest.h ]     || need+=(libgtest-dev libgmock-dev)
[ -f /usr/include/benchmark/benchmark.h ] || need+=(libbenchmark-dev)
[ -d /usr/share/fonts/truetype/wqy ]  || need+=(fonts-wqy-microhei)
dpkg -s locales >/dev/null 2>&1       || need+=(locales)
ls /usr/lib/llvm-14/lib/clang/14*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1 || need+=(libclang-rt-14-dev)

if [ ${#need[@]} -gt 0 ]; then
  echo "setup: installing ${need[*]}"
  export DEBIAN_FRONTEND=noninteractive
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi

# The Chinese end-to-end runs need a zh_CN locale so that Wine reports 0x0804.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf8$'; then
  sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/; s/^# *\(en_US.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >> /etc/locale.gen
  grep -q '^en_US.UTF-8 UTF-8' /etc/locale.gen || echo 'en_US.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi
echo "setup: tools ready"
