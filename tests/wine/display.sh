# Display handling shared by wine-run.sh and with-display.sh (sourced, not run).
#
# kit_display_acquire: keeps $DISPLAY when it is set and answers (unless
#   KIT_WINE_DISPLAY=private), otherwise starts a private Xvfb on a free display
#   number and exports DISPLAY. Sets KIT_XVFB_PID when it started one.
# kit_display_release: stops the private Xvfb, if any. Safe to call twice.

KIT_XVFB_PID=

kit_display_reachable() {
  [ -n "${1:-}" ] && xdpyinfo -display "$1" >/dev/null 2>&1
}

kit_display_acquire() {
  local log=${1:-/dev/null}
  if [ "${KIT_WINE_DISPLAY:-auto}" != private ] && kit_display_reachable "${DISPLAY:-}"; then
    return 0
  fi
  # -displayfd lets the server pick a free number itself and report it only
  # once it accepts connections, so parallel starts cannot race for a number.
  local numfile
  numfile=$(mktemp "${TMPDIR:-/tmp}/kit-xvfb.XXXXXX") || return 1
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$numfile" >>"$log" 2>&1 &
  KIT_XVFB_PID=$!
  local waited=0 num=
  while [ $waited -lt 200 ]; do            # 20 s
    num=$(tr -dc '0-9' <"$numfile")
    [ -n "$num" ] && break
    if ! kill -0 "$KIT_XVFB_PID" 2>/dev/null; then break; fi
    sleep 0.1
    waited=$((waited + 1))
  done
  rm -f "$numfile"
  if [ -z "$num" ] || ! kit_display_reachable ":$num"; then
    echo "kit: could not start Xvfb (see $log)" >&2
    kit_display_release
    return 1
  fi
  export DISPLAY=":$num"
  return 0
}

kit_display_release() {
  if [ -n "$KIT_XVFB_PID" ]; then
    kill "$KIT_XVFB_PID" 2>/dev/null
    local i
    for i in $(seq 50); do
      kill -0 "$KIT_XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    kill -9 "$KIT_XVFB_PID" 2>/dev/null
    wait "$KIT_XVFB_PID" 2>/dev/null
    KIT_XVFB_PID=
  fi
}
