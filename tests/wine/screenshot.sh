#!/usr/bin/env bash
# Saves the whole screen of $DISPLAY as a PNG file.
set -euo pipefail
if [ $# -ne 1 ]; then
  echo "usage: screenshot.sh <file.png>" >&2
  exit 2
fi
if [ -z "${DISPLAY:-}" ]; then
  echo "screenshot.sh: DISPLAY is not set" >&2
  exit 1
fi
mkdir -p "$(dirname "$1")"
import -display "$DISPLAY" -window root "$1"
