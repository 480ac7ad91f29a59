#!/usr/bin/env bash
# The main job: shows what the sample macro does, event by event, by playing
# it against the simulated desktop.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake --preset host >/dev/null
cmake --build --preset host -j "$(nproc)" --target kyr >/dev/null
echo "== kyr lint examples/notepad_hello.kyr"
build/host/tools/kyr/kyr lint examples/notepad_hello.kyr && echo "(nothing to report)"
echo "== kyr trace examples/notepad_hello.kyr"
build/host/tools/kyr/kyr trace examples/notepad_hello.kyr --window "Untitled - Notepad"
