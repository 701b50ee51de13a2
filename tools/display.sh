# Sourced by the scripts: when no display is set, starts Xvfb on a free
# display and exports DISPLAY; the caller's EXIT trap calls stop_display.
VELK_XVFB_PID=""
start_display() {
  if [ -n "${DISPLAY:-}" ]; then return 0; fi
  local n=90
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  VELK_XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 1 100); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "display: Xvfb did not start on :$n" >&2
  return 1
}
stop_display() {
  if [ -n "$VELK_XVFB_PID" ]; then kill "$VELK_XVFB_PID" 2>/dev/null || true; fi
}
