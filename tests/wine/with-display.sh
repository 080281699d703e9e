#!/usr/bin/env bash
# Runs a command with an X display: the caller's $DISPLAY when it answers,
# otherwise a private Xvfb started before and stopped after the command.
# KIT_WINE_DISPLAY=private forces a private server. Exit code: the command's.
set -uo pipefail
if [ $# -eq 0 ]; then
  echo "usage: with-display.sh <command> [args...]" >&2
  exit 2
fi
. "$(dirname "$(readlink -f "$0")")/display.sh"

trap 'kit_display_release' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
kit_display_acquire || exit 1
"$@"
