# Sourced by the scripts that run Windows programs: one fresh Wine prefix per
# run, with its own wineserver kept alive so that every program starts fast.

start_wine_env() {
  export WINEDEBUG=-all
  export WINEPREFIX="${KEYREEL_WINEPREFIX:-$(mktemp -d /tmp/keyreel-wine.XXXXXX)}"
  export WINEDLLOVERRIDES="mscoree,mshtml="
  wineserver -p
  wineboot -i >/dev/null 2>&1 || true
}

stop_wine_env() {
  wineserver -k 2>/dev/null || true
  if [ -z "${KEYREEL_WINEPREFIX:-}" ] && [ -n "${WINEPREFIX:-}" ]; then
    rm -rf "$WINEPREFIX"
  fi
}
