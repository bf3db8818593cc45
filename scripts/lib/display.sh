# Sourced by the scripts: gives them an X display. When DISPLAY is unset (a headless
# machine, CI) it starts Xvfb on a free display and stops it, and Wine's server, on exit.

start_display() {
  # Desktop libraries complain without a per-user runtime folder; a private one will do.
  if [[ -z "${XDG_RUNTIME_DIR:-}" || ! -d "${XDG_RUNTIME_DIR:-}" ]]; then
    export XDG_RUNTIME_DIR=$(mktemp -d /tmp/vesperine-xdg.XXXXXX)
    chmod 700 "$XDG_RUNTIME_DIR"
    OWN_XDG_RUNTIME_DIR=$XDG_RUNTIME_DIR
  fi
  if [[ -n "${DISPLAY:-}" && -z "${VESPERINE_OWN_XVFB:-}" ]] && xdpyinfo >/dev/null 2>&1; then
    return 0
  fi
  local n=90
  while [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 "${VESPERINE_SCREEN:-1280x800x24}" -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  export DISPLAY=":$n"
  local i
  for i in $(seq 1 100); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
  done
  if ! xdpyinfo >/dev/null 2>&1; then
    echo "could not start Xvfb on $DISPLAY" >&2
    return 1
  fi
  # A dark slate desktop, so that black windows stand out in screenshots.
  command -v xsetroot >/dev/null && xsetroot -solid '#2b2f3a' 2>/dev/null
  trap stop_display EXIT
}

stop_display() {
  # Wine's server outlives the programs it ran; end it with the display it was using. Only a
  # run that started its own display does so, so that it never ends another run's server.
  if [[ -n "${XVFB_PID:-}" ]]; then
    local prefix
    for prefix in "${VESPERINE_ROOT:-.}"/build/*/wineprefix; do
      [[ -d "$prefix" ]] && WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true
    done
  fi
  [[ -n "${OWN_XDG_RUNTIME_DIR:-}" ]] && rm -rf "$OWN_XDG_RUNTIME_DIR"
  if [[ -n "${XVFB_PID:-}" ]]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
  fi
}
