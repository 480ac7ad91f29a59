#!/usr/bin/env bash
# Builds and runs every test: the portable core on the host (plain and with
# sanitizers), each fuzz target for a few seconds, and the Windows programs
# under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
jobs=$(nproc)

for preset in host host-asan; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  ctest --preset "$preset" -j "$jobs"
done

bash scripts/fuzz.sh all 5

echo "== windows"
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"
source scripts/wine-env.sh
start_wine_env
trap stop_wine_env EXIT
ctest --preset windows
