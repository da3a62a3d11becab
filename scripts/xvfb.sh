# Sourced by the scripts: start_xvfb gives this shell a private X display
# (Xvfb, 1280x1024, 24 bits) unless one is usable already, and stops it when
# the shell exits (ending first the Wine programs of $PLAKATO_WINEPREFIX).
stop_wine() {
  if [ -n "${PLAKATO_WINEPREFIX:-}" ] && [ -d "$PLAKATO_WINEPREFIX" ]; then
    WINEPREFIX="$PLAKATO_WINEPREFIX" wineserver -k 2>/dev/null || true
  fi
}

start_xvfb() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    return 0
  fi
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    _xvfb_pid=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 1 50); do
      if xdpyinfo >/dev/null 2>&1; then
        # Wine programs still connected to the display end before it does.
        trap 'stop_wine; kill "$_xvfb_pid" 2>/dev/null || true' EXIT
        echo "[xvfb] started display $DISPLAY" >&2
        return 0
      fi
      sleep 0.1
    done
    kill "$_xvfb_pid" 2>/dev/null || true
  done
  echo "[xvfb] could not start an X server" >&2
  return 1
}
