# Which Wine loader starts a program, and whether this machine runs 32-bit
# Wine at all (sourced, not run).
#
# kit_pe_bits <exe>: prints 32 or 64 from the PE header (nothing for a file
#   that is not a PE image).
# kit_wine_for <exe>: sets the array KIT_WINE to the command that starts it.
#   64-bit programs go through the 64-bit loader directly: the `wine` wrapper
#   starts the 32-bit loader first whenever wine32 is installed, and that
#   fails on a kernel without IA-32 emulation.
# kit_wine32_probe: whether 32-bit Wine runs natively here. Sets and exports
#   KIT_WINE32_NATIVE (yes/no) and KIT_WINE32_WHY (one line).
# kit_console_path: sets and exports KIT_CONSOLE_PATH, the path the console's
#   Windows programs take: "native32" (32-bit Wine) or "x86-64" (an x86-64
#   build of the same sources under the 64-bit loader), with
#   KIT_CONSOLE_PATH_WHY. Set beforehand, KIT_CONSOLE_PATH forces either.

KIT_WINE64_LOADER=${KIT_WINE64_LOADER:-/usr/lib/wine/wine64}
KIT_WINE32_LOADER=${KIT_WINE32_LOADER:-/usr/lib/wine/wine}
KIT_QEMU_ENTRY=/proc/sys/fs/binfmt_misc/qemu-i386

kit_pe_bits() {
  local file=$1 pe magic
  [ -f "$file" ] || return 1
  # e_lfanew at 0x3c, then "PE\0\0", the file header (20 bytes) and the
  # optional header's magic: 0x10b for PE32, 0x20b for PE32+.
  pe=$(od -An -t u4 -j 60 -N 4 "$file" 2>/dev/null | tr -d ' ')
  [ -n "$pe" ] || return 1
  magic=$(od -An -t x2 -j $((pe + 24)) -N 2 "$file" 2>/dev/null | tr -d ' ')
  case $magic in
    010b) echo 32 ;;
    020b) echo 64 ;;
    *) return 1 ;;
  esac
}

kit_wine_for() {
  if [ "$(kit_pe_bits "$1")" = 64 ]; then
    export WINELOADER=$KIT_WINE64_LOADER
    KIT_WINE=("$KIT_WINE64_LOADER")
  else
    KIT_WINE=(wine)
  fi
}

# kit_wine_parts: which parts of Wine can run now, as a prefix records it
#   when booted: a prefix booted while the 32-bit loader could not start
#   (wine32 missing, or installed on a kernel without IA-32 emulation and no
#   qemu entry yet) lacks the 32-bit system files in syswow64.
kit_wine_parts() {
  if [ ! -x "$KIT_WINE32_LOADER" ]; then
    echo "wine64"
  elif "$KIT_WINE32_LOADER" --version >/dev/null 2>&1; then
    echo "wine64+wine32"
  else
    echo "wine64 (wine32 installed, its loader does not start)"
  fi
}

kit_wine32_probe() {
  # Probed once per run: the answer is passed on to child scripts.
  [ -z "${KIT_WINE32_NATIVE:-}" ] || return 0
  export KIT_WINE32_NATIVE=no KIT_WINE32_WHY
  if [ ! -x "$KIT_WINE32_LOADER" ]; then
    KIT_WINE32_WHY="wine32:i386 is not installed"
    return 0
  fi
  # A qemu-i386 binfmt entry would run the loader under emulation and answer
  # yes; look past it while probing. Entries belong to the kernel, not to the
  # mount: where binfmt_misc is not mounted (a chroot, a fresh container) one
  # may still be active, so mount it to see.
  local paused= mounted=
  if [ ! -f /proc/sys/fs/binfmt_misc/register ] && [ -d /proc/sys/fs/binfmt_misc ] &&
     mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc 2>/dev/null; then
    mounted=1
  fi
  if [ -f "$KIT_QEMU_ENTRY" ] && head -n 1 "$KIT_QEMU_ENTRY" | grep -qx enabled; then
    if echo 0 >"$KIT_QEMU_ENTRY" 2>/dev/null; then
      paused=1
    else
      KIT_WINE32_WHY="cannot tell: a qemu-i386 binfmt entry is active and cannot be paused"
      [ -z "$mounted" ] || umount /proc/sys/fs/binfmt_misc 2>/dev/null
      return 0
    fi
  fi
  local out
  if out=$("$KIT_WINE32_LOADER" --version 2>&1); then
    KIT_WINE32_NATIVE=yes
    KIT_WINE32_WHY="$out runs natively"
  else
    KIT_WINE32_WHY="the 32-bit loader does not start ($(printf %s "$out" | tail -n 1 | sed 's/.*: //'))"
  fi
  [ -z "$paused" ] || echo 1 >"$KIT_QEMU_ENTRY"
  [ -z "$mounted" ] || umount /proc/sys/fs/binfmt_misc 2>/dev/null
  return 0
}

kit_console_path() {
  case ${KIT_CONSOLE_PATH:-} in
    native32|x86-64)
      KIT_CONSOLE_PATH_WHY=${KIT_CONSOLE_PATH_WHY:-"forced by KIT_CONSOLE_PATH"}
      export KIT_CONSOLE_PATH KIT_CONSOLE_PATH_WHY
      return 0 ;;
    '') ;;
    *) echo "KIT_CONSOLE_PATH must be native32 or x86-64, not '$KIT_CONSOLE_PATH'" >&2; return 2 ;;
  esac
  kit_wine32_probe
  KIT_CONSOLE_PATH_WHY=$KIT_WINE32_WHY
  if [ "$KIT_WINE32_NATIVE" = yes ]; then KIT_CONSOLE_PATH=native32; else KIT_CONSOLE_PATH=x86-64; fi
  # Children (CTest, run.sh) take the same path without probing again.
  export KIT_CONSOLE_PATH KIT_CONSOLE_PATH_WHY
}

# kit_qemu_i386_enable: lets i386 Linux programs (Wine's 32-bit loader) start
#   through qemu-user on a kernel without IA-32 emulation: mounts binfmt_misc
#   and registers an i386 entry (Debian's package ships none for an amd64
#   host), then proves it by starting the 32-bit loader. On failure returns 1
#   with the reason in KIT_QEMU_WHY. kit_qemu_i386_disable leaves the entry
#   as this run found it.
KIT_QEMU_UNDO=
kit_qemu_i386_enable() {
  KIT_QEMU_WHY=
  if [ ! -x "$KIT_WINE32_LOADER" ]; then KIT_QEMU_WHY="wine32:i386 is not installed"; return 1; fi
  local qemu
  if ! qemu=$(command -v qemu-i386-static); then KIT_QEMU_WHY="qemu-user-static is not installed"; return 1; fi
  if [ ! -f /proc/sys/fs/binfmt_misc/register ] &&
     ! mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc 2>/dev/null; then
    KIT_QEMU_WHY="binfmt_misc cannot be mounted (needs root)"
    return 1
  fi
  if [ -f "$KIT_QEMU_ENTRY" ]; then
    if ! head -n 1 "$KIT_QEMU_ENTRY" | grep -qx enabled; then
      echo 1 >"$KIT_QEMU_ENTRY" 2>/dev/null && KIT_QEMU_UNDO=0
    fi
  else
    # Magic and mask of an i386 ELF executable; F opens qemu now, so the
    # entry also serves programs in other mount namespaces.
    if ! printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:'"$qemu"':F' \
         >/proc/sys/fs/binfmt_misc/register 2>/dev/null; then
      KIT_QEMU_WHY="the qemu-i386 binfmt_misc entry cannot be registered (needs root)"
      return 1
    fi
    KIT_QEMU_UNDO=-1
  fi
  local out
  if ! out=$(timeout 600 "$KIT_WINE32_LOADER" --version 2>&1); then
    KIT_QEMU_WHY="Wine's 32-bit loader does not start under qemu ($(printf %s "$out" | tail -n 1))"
    kit_qemu_i386_disable
    return 1
  fi
  return 0
}

kit_qemu_i386_disable() {
  if [ -n "$KIT_QEMU_UNDO" ] && [ -f "$KIT_QEMU_ENTRY" ]; then echo "$KIT_QEMU_UNDO" >"$KIT_QEMU_ENTRY"; fi
  KIT_QEMU_UNDO=
}
