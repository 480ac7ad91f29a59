#!/usr/bin/env bash
# Builds and runs every test: the portable core on the host (plain and with
# sanitizers) and the Windows programs under Wine.
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

echo "== windows"
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"
source scripts/wine-env.sh
start_wine_env
trap stop_wine_env EXIT
# A program under Wine is tried up to three times: keyreel.exe has been seen,
# rarely, to stall while typing right after activating another program's
# window (under investigation); a stall fails the end-to-end test that hit it.
ctest --preset windows --repeat until-pass:3
