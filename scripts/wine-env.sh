# Sourced by the scripts that run Windows programs. start_wine_env gives the
# programs a world of their own: a virtual X display (always, even when the
# user has a display, so tests never type into the user's windows), openbox as
# window manager on it (without one, hiding or destroying a captioned window
# stalls for seconds and keyboard focus follows the pointer), and one fresh
# Wine prefix whose wineserver stays alive so every program starts fast.
# stop_wine_env stops all of them by the process ids recorded here.

_keyreel_wait_for() {
  # _keyreel_wait_for TENTHS COMMAND...: retries COMMAND every 0.1 s.
  local tries=$1
  shift
  while ! "$@" 2>/dev/null; do
    tries=$((tries - 1))
    if [ "$tries" -le 0 ]; then
      return 1
    fi
    sleep 0.1
  done
}

_keyreel_display_ready() {
  [ -s "$KEYREEL_DISPLAY_FILE" ] && xdpyinfo -display ":$(cat "$KEYREEL_DISPLAY_FILE")" >/dev/null
}

_keyreel_window_manager_ready() {
  xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'
}

_keyreel_wineserver_ready() {
  # The server's socket lives in a folder named after the prefix's device
  # and inode numbers, under /tmp/.wine-UID or (Debian) /tmp/wine-XXXXXX.
  local ids server
  ids=$(stat -c '%d %i' "$WINEPREFIX") || return 1
  set -- $ids
  server="server-$(printf '%x-%x' "$1" "$2")/socket"
  compgen -G "${TMPDIR:-/tmp}/.wine-$(id -u)/$server" >/dev/null ||
    compgen -G "${TMPDIR:-/tmp}/wine-*/$server" >/dev/null
}

_keyreel_start_display() {
  KEYREEL_DISPLAY_FILE=$(mktemp /tmp/keyreel-display.XXXXXX)
  # -displayfd lets the server pick a free display number itself, so
  # parallel runs on one machine never race for the same number; -noreset
  # keeps it from resetting when the readiness probe disconnects, which
  # would refuse the next client for a moment.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset \
    3>"$KEYREEL_DISPLAY_FILE" >/dev/null 2>&1 &
  KEYREEL_XVFB_PID=$!
  if ! _keyreel_wait_for 100 _keyreel_display_ready; then
    echo "wine-env: the virtual display did not start" >&2
    stop_wine_env
    return 1
  fi
  export DISPLAY=":$(cat "$KEYREEL_DISPLAY_FILE")"

  KEYREEL_OPENBOX_LOG="$KEYREEL_DISPLAY_FILE.openbox"
  openbox --sm-disable >"$KEYREEL_OPENBOX_LOG" 2>&1 &
  KEYREEL_OPENBOX_PID=$!
  if ! _keyreel_wait_for 300 _keyreel_window_manager_ready; then
    echo "wine-env: openbox did not start on $DISPLAY:" >&2
    cat "$KEYREEL_OPENBOX_LOG" >&2
    stop_wine_env
    return 1
  fi
}

start_wine_env() {
  KEYREEL_SAVED_DISPLAY="${DISPLAY-}"
  # KEYREEL_USE_USER_DISPLAY=1 (the demo) plays on the user's own display
  # when there is one; tests always get a display of their own.
  if [ -n "${KEYREEL_USE_USER_DISPLAY:-}" ] && [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    echo "wine-env: using the display $DISPLAY" >&2
  else
    _keyreel_start_display || return 1
  fi

  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEPREFIX="${KEYREEL_WINEPREFIX:-$(mktemp -d /tmp/keyreel-wine.XXXXXX)}"
  # In the foreground with -f, so that $! is the server itself; -p keeps it
  # alive between the test programs.
  wineserver -f -p >/dev/null 2>&1 &
  KEYREEL_WINESERVER_PID=$!
  if ! _keyreel_wait_for 100 _keyreel_wineserver_ready; then
    echo "wine-env: wineserver did not start" >&2
    stop_wine_env
    return 1
  fi
  wineboot -i >/dev/null 2>&1 || true
  echo "wine-env: display $DISPLAY, prefix $WINEPREFIX" >&2
}

_keyreel_stop_pid() {
  local pid=$1
  [ -n "$pid" ] || return 0
  kill "$pid" 2>/dev/null || return 0
  if ! _keyreel_wait_for 50 _keyreel_pid_gone "$pid"; then
    kill -9 "$pid" 2>/dev/null || true
  fi
  wait "$pid" 2>/dev/null || true
}

_keyreel_pid_gone() {
  ! kill -0 "$1"
}

stop_wine_env() {
  if [ -n "${KEYREEL_WINESERVER_PID:-}" ]; then
    # Ends the programs still running in this prefix, then the server.
    wineserver -k 2>/dev/null || true
    _keyreel_stop_pid "$KEYREEL_WINESERVER_PID"
  fi
  _keyreel_stop_pid "${KEYREEL_OPENBOX_PID:-}"
  _keyreel_stop_pid "${KEYREEL_XVFB_PID:-}"
  if [ -z "${KEYREEL_WINEPREFIX:-}" ] && [ -n "${WINEPREFIX:-}" ]; then
    rm -rf "$WINEPREFIX"
  fi
  if [ -n "${KEYREEL_DISPLAY_FILE:-}" ]; then
    rm -f "$KEYREEL_DISPLAY_FILE" "$KEYREEL_DISPLAY_FILE.openbox"
  fi
  if [ -n "${KEYREEL_SAVED_DISPLAY:-}" ]; then
    export DISPLAY="$KEYREEL_SAVED_DISPLAY"
  else
    unset DISPLAY
  fi
  unset KEYREEL_WINESERVER_PID KEYREEL_OPENBOX_PID KEYREEL_XVFB_PID KEYREEL_DISPLAY_FILE
  unset KEYREEL_OPENBOX_LOG
  unset KEYREEL_SAVED_DISPLAY WINEPREFIX
}
