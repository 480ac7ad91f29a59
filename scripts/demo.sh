#!/usr/bin/env bash
# The main job: plays the sample macro examples/notepad_hello.kyr with the
# real keyreel.exe into Wine's notepad and prints the text that arrived.
# Uses the user's display when there is one, else a virtual one, and saves a
# screenshot to build/demo/notepad.png.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
source scripts/wine-env.sh
source scripts/keyreel-under-wine.sh

echo "== building keyreel.exe"
build_windows_programs
export KEYREEL_USE_USER_DISPLAY=1
start_wine_env
trap 'stop_keyreel; stop_wine_env' EXIT

macro="$PWD/examples/notepad_hello.kyr"
echo "== the macro ($macro)"
cat "$macro" | tr -d '\r'

set_keyreel_setting startup runLoaded 1
set_keyreel_setting startup Run 0
echo "== playing it: keyreel.exe \"$(windows_path "$macro")\""
start_keyreel "$(windows_path "$macro")"
winprobe wait Notepad 30000 >/dev/null
winprobe wait-play-end 60000 || true

echo "== the text that arrived in notepad"
winprobe text Notepad
mkdir -p build/demo
import -window root build/demo/notepad.png
echo "== screenshot: build/demo/notepad.png"
