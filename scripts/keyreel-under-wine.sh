# Sourced by the demo and measurement scripts: builds the Windows programs
# and offers small helpers to drive keyreel.exe under Wine.

build_windows_programs() {
  cmake --preset windows >/dev/null
  cmake --build --preset windows -j "$(nproc)" --target keyreel winprobe >/dev/null
  KEYREEL_EXE="$PWD/build/windows/src/app/keyreel.exe"
  WINPROBE_EXE="$PWD/build/windows/tools/winprobe/winprobe.exe"
}

# The Windows form of a Unix path (Wine's drive Z: is the root).
windows_path() {
  printf 'Z:%s' "$1" | tr '/' '\\'
}

set_keyreel_setting() {  # section key value
  wine reg add "HKCU\\Software\\Keyreel\\treel\\$1" /v "$2" /d "$3" /f >/dev/null 2>&1
}

winprobe() {
  wine "$WINPROBE_EXE" "$@"
}

# Starts keyreel.exe in the background; sets KEYREEL_PID.
start_keyreel() {
  wine "$KEYREEL_EXE" "$@" >/dev/null 2>&1 &
  KEYREEL_PID=$!
}

stop_keyreel() {
  if [ -n "${KEYREEL_PID:-}" ]; then
    kill "$KEYREEL_PID" 2>/dev/null || true
    wait "$KEYREEL_PID" 2>/dev/null || true
    KEYREEL_PID=
  fi
}
