#!/usr/bin/env bash
# Builds the libFuzzer targets (preset "fuzz") and runs one or all of them,
# one after the other, each for SECONDS (0: no time limit, e.g. with
# -runs=N among the extra arguments, which go to libFuzzer as they are).
#
#   bash scripts/fuzz.sh all 5
#   bash scripts/fuzz.sh macro_play 0 -runs=10000000
#
# Each target starts from its seed corpus in tests/fuzz/corpus/<target> and
# keeps what it finds in build/fuzz/corpus/<target>; the seeds are never
# changed. A crash leaves its input in build/fuzz/artifacts/<target>/ and
# ends the script with a failure: turn it into a regression test in
# tests/core.
set -euo pipefail
cd "$(dirname "$0")/.."

targets=(macro_play line_values schedule_database settings recorder text_readers lint command_lines)

if [ $# -lt 2 ]; then
  echo "usage: scripts/fuzz.sh TARGET|all SECONDS [libFuzzer arguments...]" >&2
  echo "targets: ${targets[*]}" >&2
  exit 2
fi
which=$1
seconds=$2
shift 2

if [ "$which" = all ]; then
  selected=("${targets[@]}")
elif [[ " ${targets[*]} " == *" $which "* ]]; then
  selected=("$which")
else
  echo "fuzz: unknown target '$which' (${targets[*]})" >&2
  exit 2
fi

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)" >/dev/null

for target in "${selected[@]}"; do
  corpus=build/fuzz/corpus/$target
  artifacts=build/fuzz/artifacts/$target
  mkdir -p "$corpus" "$artifacts"
  echo "== fuzz $target"
  # -timeout catches a run that hangs; the targets bound every run well below it.
  # -max_len reaches past the largest bound a reader sets on its input (the
  # hand-over's 64 KB).
  build/fuzz/tests/fuzz/fuzz_$target "$corpus" "tests/fuzz/corpus/$target" \
    -max_total_time="$seconds" -max_len=70000 -timeout=30 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$artifacts/" "$@" 2>build/fuzz/$target.log ||
    {
      tail -n 60 build/fuzz/$target.log >&2
      echo "fuzz: $target failed; the input is in $artifacts/" >&2
      exit 1
    }
  grep -E '^stat::(number_of_executed_units|average_exec_per_sec|new_units_added):' \
    build/fuzz/$target.log | sed 's/^stat::/  /'
done
