# Sourced: starts a private Xvfb (1920 x 1080 x 24) and a persistent wineserver,
# and stops both when the sourcing shell exits.
. "$(dirname "${BASH_SOURCE[0]}")/env.sh"

tolvane_free_display() {
  local n=91
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  echo "$n"
}

# A private Xvfb, or the one a calling session already started.
tolvane_xvfb_start() {
  if [ -n "${TOLVANE_DISPLAY:-}" ] && DISPLAY=$TOLVANE_DISPLAY xdpyinfo >/dev/null 2>&1; then
    export DISPLAY=$TOLVANE_DISPLAY
    return 0
  fi
  local n; n=$(tolvane_free_display)
  Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  TOLVANE_XVFB_PID=$!
  export DISPLAY=":$n" TOLVANE_DISPLAY=":$n"
  trap tolvane_session_stop EXIT
  for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done
  xdpyinfo >/dev/null 2>&1 || { echo "session: Xvfb did not start" >&2; return 1; }
}

tolvane_session_start() {
  tolvane_xvfb_start || return 1
  wineserver -p >/dev/null 2>&1
  TOLVANE_WINESERVER=1
  # The first Wine program starts Wine's service processes, which inherit its
  # output and would hold a test's output pipe open: start them here instead.
  wine cmd /c exit >/dev/null 2>&1 </dev/null
  trap tolvane_session_stop EXIT
}

tolvane_session_stop() {
  if [ -n "${TOLVANE_WINESERVER:-}" ]; then
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
  fi
  [ -n "${TOLVANE_XVFB_PID:-}" ] && kill "$TOLVANE_XVFB_PID" 2>/dev/null && wait "$TOLVANE_XVFB_PID" 2>/dev/null
  TOLVANE_XVFB_PID= TOLVANE_WINESERVER=
}
