#!/usr/bin/env bash
# Keyreel's speed next to its targets, in one table: the portable core's
# benchmarks on the host (Google Benchmark, processor time, null desktop),
# and keyreel.exe under Wine (processor use, start-up, how soon a window
# wait finds a new window, size). It measures and prints; it passes or
# fails nothing, and its figures vary with the machine and its load.
#
#   scripts/measure_performance.sh            everything
#   KEYREEL_SKIP_WINE=1 scripts/measure_performance.sh   host figures only
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
rows="$work/rows"
: >"$rows"

row() {  # measure figure target
  printf '%s\t%s\t%s\n' "$1" "$2" "$3" >>"$rows"
}

# --- Host: the portable core ---------------------------------------------
cmake --preset host >/dev/null
cmake --build --preset host -j "$(nproc)" --target player_bench schedule_bench >/dev/null

# CSV columns: name,iterations,real_time,cpu_time,time_unit,bytes_per_second,
# items_per_second,label,error_occurred,error_message[,counters...]
bench_csv() {  # program
  "build/host/bench/$1" --benchmark_min_time=0.5 --benchmark_format=csv 2>/dev/null
}
field() {  # csv benchmark column
  awk -F, -v b="\"$2\"" -v c="$3" '$1 == b { print $c }' "$1"
}

bench_csv player_bench >"$work/player.csv"
bench_csv schedule_bench >"$work/schedule.csv"

per_second() {  # csv benchmark
  field "$1" "$2" 7 | awk '{ printf "%.1f M lines/s", $1 / 1e6 }'
}
millis() {  # csv benchmark
  field "$1" "$2" 4 | awk '{ printf "%.2f ms", $1 }'
}
row "Player: non-command words" "$(per_second "$work/player.csv" BM_PlayNonCommandLines)" \
  ">= 10 M lines/s"
row "Player: MouseMove lines" "$(per_second "$work/player.csv" BM_PlayMouseMoveLines)" \
  ">= 10 M lines/s"
row "Load a 100,000-line macro" "$(millis "$work/player.csv" BM_LoadMacroFile)" "< 10 ms"
row "Load a 10,000-entry schedule" "$(millis "$work/schedule.csv" BM_LoadSchedule)" "< 10 ms"
row "Save a 10,000-entry schedule" "$(millis "$work/schedule.csv" BM_SaveSchedule)" "< 10 ms"
row "Idle pass over 10,000 entries" \
  "$(field "$work/schedule.csv" BM_IdlePass 4 | awk '{ printf "%.0f us", $1 }'), $(field "$work/schedule.csv" BM_IdlePass 11) allocations" \
  "0 allocations"

# --- keyreel.exe under Wine -------------------------------------------------
if [ -z "${KEYREEL_SKIP_WINE:-}" ]; then
  bash scripts/measure_cpu.sh >"$work/cpu.txt"
  cpu() {  # label
    grep -F "$1" "$work/cpu.txt" | awk '{ for (i = 1; i <= NF; i++) if ($i ~ /%$/) { print $i " of a core"; exit } }'
  }
  row "CPU during Wait, window shown" "$(cpu 'Wait:')" "< 1%"
  row "CPU during WaitForWindow, window shown" "$(cpu 'WaitForWindow:')" "< 1%"
  row "CPU hidden in the tray, no scheduler" "$(cpu 'idle in the tray')" "0"
  row "CPU hidden, scheduler with 1,000 entries" "$(cpu 'scheduler, 1,000')" "< 0.5%"

  source scripts/wine-env.sh
  source scripts/keyreel-under-wine.sh
  build_windows_programs
  cmake --build --preset windows -j "$(nproc)" --target tray_stub start_time win32_window_tests >/dev/null
  stub="$PWD/build/windows/bench/startup/tray_stub.exe"
  start_time() { wine "$PWD/build/windows/bench/startup/start_time.exe" "$@"; }
  start_wine_env
  trap 'stop_wine_env; rm -rf "$work"' EXIT

  # The first icon of a fresh prefix starts Wine's tray: not measured. A
  # start whose icon did not come in time (exit status 1) adds no figure.
  start_time "$(windows_path "$stub")" >/dev/null || true
  : >"$work/keyreel.ms"
  : >"$work/stub.ms"
  for _ in 1 2 3 4 5; do
    start_time "$(windows_path "$stub")" >>"$work/stub.ms" || true
    start_time "$(windows_path "$KEYREEL_EXE")" >>"$work/keyreel.ms" || true
  done
  median() {
    sort -n "$1" | awk '{ v[NR] = $1 } END { print NR ? v[int((NR + 1) / 2)] : 0 }'
  }
  keyreel_ms=$(median "$work/keyreel.ms")
  stub_ms=$(median "$work/stub.ms")
  row "Start-up to the tray icon (median of 5)" \
    "$keyreel_ms ms vs $stub_ms ms for an empty tray program: $(awk -v k="$keyreel_ms" -v s="$stub_ms" 'BEGIN { if (s > 0) printf "%.2f", k / s; else printf "?" }')x" \
    "ratio near 1"

  wine build/windows/tests/win32/win32_window_tests.exe \
    --gtest_filter='MessageWait.AWindowWait*' >"$work/latency.txt" 2>&1 || true
  latency() {  # case
    grep -F "$1" "$work/latency.txt" | sed -n 's/.*found \([0-9.]*\) ms.*/\1 ms/p'
  }
  row "WaitForWindow: a new window found after" "$(latency 'made with its title')" \
    "within a timer tick (10 ms under Wine)"
  row "  made untitled, titled at once" "$(latency 'made untitled')" "within a timer tick"
  row "  renamed, which Wine does not report" "$(latency 'renamed long')" \
    "the slow check (250 ms)"
  stop_wine_env
  trap 'rm -rf "$work"' EXIT
fi

exe=build/windows/src/app/keyreel.exe
if [ -f "$exe" ]; then
  row "Size of keyreel.exe" "$(stat -c %s "$exe" | awk '{ printf "%.2f MB", $1 / 1048576 }')" \
    "< 2 MB, static"
fi

printf '\n'
awk -F '\t' 'BEGIN { printf "%-42s %-58s %s\n", "Measure", "Figure", "Target" }
  { printf "%-42s %-58s %s\n", $1, $2, $3 }' "$rows"
