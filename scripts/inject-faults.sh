#!/usr/bin/env bash
# Runs the test suites against deliberate faults: each scripts/faults/*.patch
# puts one realistic fault into src/ (a flag dropped, a bound off by one, a
# check removed, a message not sent...). For each fault the script applies the
# patch, builds, runs the suites that can see the fault and records whether
# any test failed ("caught") or none did ("missed"); src/ is put back after
# every fault and when the script ends, however it ends.
#
#   bash scripts/inject-faults.sh [-o RESULTS] [FAULT...]
#
# FAULT is a patch name without .patch (default: all of them). RESULTS
# defaults to build/faults/results.txt; the log of every build and test run
# is kept in build/faults/logs.
#
# Every fault runs the host suite (ctest --preset host). A fault in the
# adapters (Layer: win32) or the windows (Layer: ui) that the host suite does
# not catch runs the Windows test programs under Wine as well, in a fresh Wine
# environment: first those named by its "Try first:" line, then all others
# (end-to-end tests included). A suite stops at its first failing test: one
# is enough to call the fault caught. Environment:
#   FAULT_JOBS=2           build jobs
#   FAULT_WINE_SKIP=REGEX  leave out the Wine test programs matching REGEX
#                          (e2e_tests, say, on a machine too busy for them;
#                          the results name what was left out)
#   FAULT_BASELINE=0       skip the run of the suites on the clean tree
#                          (they must pass there, or "caught" means nothing)
set -euo pipefail
cd "$(dirname "$0")/.."

results=build/faults/results.txt
while getopts "o:" option; do
  case $option in
    o) results=$OPTARG ;;
    *) echo "usage: scripts/inject-faults.sh [-o RESULTS] [FAULT...]" >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))

jobs=${FAULT_JOBS:-2}
wine_skip=${FAULT_WINE_SKIP:-}
fault_dir=scripts/faults

if [ -n "$(git status --porcelain --untracked-files=no)" ] || [ -n "$(git status --porcelain -- src)" ]; then
  echo "inject-faults: the tree has changes; commit or stash them first" >&2
  exit 1
fi

if [ $# -eq 0 ]; then
  for patch in "$fault_dir"/*.patch; do
    name=${patch##*/}
    set -- "$@" "${name%.patch}"
  done
fi
for name in "$@"; do
  [ -f "$fault_dir/$name.patch" ] || { echo "inject-faults: no fault '$name'" >&2; exit 2; }
done

mkdir -p "$(dirname "$results")"
logs=build/faults/logs
mkdir -p "$logs"

source scripts/wine-env.sh
wine_up=0
built_windows=0
outcome=""
wine_caught=""

restore() {
  git checkout -q HEAD -- src
  if [ "$wine_up" = 1 ]; then
    stop_wine_env
    wine_up=0
  fi
}
trap restore EXIT
trap 'exit 130' INT TERM

header_field() {  # patch field
  sed -n "s/^$2: //p" "$1" | head -n 1
}

# The first test a ctest run reports as failed.
failed_test() {  # log
  sed -n '/The following tests FAILED/,$p' "$1" | sed -n 's/^[[:space:]]*[0-9]* - \([^ ]*\).*/\1/p' |
    head -n 1
}

# The gtest cases that failed in a log, for the record.
failed_cases() {  # log
  sed -n 's/^\[  FAILED  \] \([^ ]*\) (.*/\1/p' "$1" | head -n 2 | paste -sd, -
}

build() {  # preset log
  cmake --preset "$1" >/dev/null
  nice cmake --build --preset "$1" -j "$jobs" >"$2" 2>&1
}

# Runs ctest over the tests matching INCLUDE (all when empty) but not
# EXCLUDE. A failed test is run once more: failing again, it is printed and
# the function fails (the fault is caught); passing, it is flaky, noted in
# FLAKY_FILE and left out, and the run goes on without it. Each run has a
# log of its own: LOG, LOG.2, ...
run_ctest() {  # preset log include exclude flaky-file [ctest arguments...]
  local preset=$1 base=$2 include=$3 exclude=$4 flaky_file=$5 selection failed pattern
  local log=$base attempt=1
  shift 5
  while true; do
    selection=()
    [ -n "$include" ] && selection+=(-R "$include")
    [ -n "$exclude" ] && selection+=(-E "$exclude")
    if nice ctest --preset "$preset" --stop-on-failure "${selection[@]}" "$@" >"$log" 2>&1; then
      return 0
    fi
    failed=$(failed_test "$log")
    if [ -z "$failed" ]; then
      echo "$preset: ctest failed without a failed test (see $log)"
      return 1
    fi
    # shellcheck disable=SC2016 # a sed script, not an expansion
    pattern="^$(printf '%s' "$failed" | sed 's/[][\.*^$()+?{}|]/\\&/g')\$"
    if ! nice ctest --preset "$preset" -R "$pattern" >"$log.again" 2>&1; then
      echo "$preset: $failed $(failed_cases "$log.again")"
      return 1
    fi
    echo "$failed" >>"$flaky_file"
    exclude="${exclude:+$exclude|}$pattern"
    attempt=$((attempt + 1))
    log=$base.$attempt
  done
}

# Sets wine_caught to the failed Wine tests, or to nothing.
run_wine_suites() {  # name first-regex
  local name=$1 first=$2 rest=$wine_skip
  start_wine_env 2>>"$logs/$name.wine-env.log"
  wine_up=1
  wine_caught=""
  if [ -n "$first" ]; then
    wine_caught=$(run_ctest windows "$logs/$name.wine-first.log" "$first" "$wine_skip" \
      "$logs/$name.flaky") || true
    rest="$first${wine_skip:+|$wine_skip}"
  fi
  if [ -z "$wine_caught" ]; then
    wine_caught=$(run_ctest windows "$logs/$name.wine.log" "" "$rest" "$logs/$name.flaky") || true
  fi
  stop_wine_env
  wine_up=0
}

# Sets outcome to "caught <tests>", "missed <suites run>", "not-applied" or
# "build-failed <preset>".
try_fault() {  # name
  local name=$1 patch="$fault_dir/$1.patch" layer first caught
  layer=$(header_field "$patch" Layer)
  first=$(header_field "$patch" "Try first")
  if ! git apply --3way "$patch" >"$logs/$name.apply.log" 2>&1; then
    outcome="not-applied (see $logs/$name.apply.log)"
    return
  fi
  if ! build host "$logs/$name.host-build.log"; then
    outcome="build-failed host"
    return
  fi
  rm -f "$logs/$name.flaky"
  if caught=$(run_ctest host "$logs/$name.host.log" "" "" "$logs/$name.flaky" -j "$jobs" --timeout 120); then
    if [ "$layer" = core ]; then
      outcome="missed host"
      return
    fi
    built_windows=1
    if ! build windows "$logs/$name.windows-build.log"; then
      outcome="build-failed windows"
      return
    fi
    run_wine_suites "$name" "$first"
    if [ -z "$wine_caught" ]; then
      outcome="missed host+wine${wine_skip:+ (without $wine_skip)}"
      return
    fi
    caught=$wine_caught
  fi
  outcome="caught $caught"
}

baseline() {
  local need_wine=0 name caught
  for name in "$@"; do
    [ "$(header_field "$fault_dir/$name.patch" Layer)" = core ] || need_wine=1
  done
  echo "== baseline: the suites on the clean tree"
  build host "$logs/baseline.host-build.log" || { echo "inject-faults: the clean tree does not build" >&2; exit 1; }
  rm -f "$logs/baseline.flaky"
  if ! caught=$(run_ctest host "$logs/baseline.host.log" "" "" "$logs/baseline.flaky" -j "$jobs" --timeout 120); then
    echo "inject-faults: the host suite fails on the clean tree ($caught)" >&2
    exit 1
  fi
  if [ "$need_wine" = 1 ]; then
    build windows "$logs/baseline.windows-build.log" || { echo "inject-faults: the clean tree does not build for Windows" >&2; exit 1; }
    run_wine_suites baseline ""
    if [ -n "$wine_caught" ]; then
      echo "inject-faults: the Wine suites fail on the clean tree ($wine_caught)" >&2
      exit 1
    fi
  fi
}

if [ "${FAULT_BASELINE:-1}" != 0 ]; then
  baseline "$@"
fi

{
  echo "# Faults injected into $(git rev-parse --short HEAD) ($(git log -1 --format=%s | cut -c1-60))"
  echo "# $(date -u '+%Y-%m-%d %H:%M UTC'); Wine programs left out: ${wine_skip:-none}; baseline: ${FAULT_BASELINE:-1}"
  printf '%-36s %-6s %-8s %s\n' fault layer result "caught by / description"
} >"$results"

caught_count=0
missed=()
other=()
for name in "$@"; do
  patch="$fault_dir/$name.patch"
  echo "== $name: $(header_field "$patch" Fault)"
  started=$(date +%s)
  try_fault "$name"
  git checkout -q HEAD -- src
  word=${outcome%% *}
  detail=${outcome#* }
  echo "   $outcome ($(($(date +%s) - started)) s)"
  case $word in
    caught) caught_count=$((caught_count + 1)) ;;
    missed) missed+=("$name") ;;
    *) other+=("$name") ;;
  esac
  [ "$word" = caught ] || detail="$detail; $(header_field "$patch" Fault)"
  if [ -s "$logs/$name.flaky" ]; then
    detail="$detail; failed once, passed again: $(paste -sd, - <"$logs/$name.flaky")"
  fi
  printf '%-36s %-6s %-8s %s\n' "$name" "$(header_field "$patch" Layer)" "$word" "$detail" >>"$results"
done

# The builds hold the last fault: build them again from the clean sources.
build host "$logs/restore.host-build.log" || true
[ "$built_windows" = 1 ] && { build windows "$logs/restore.windows-build.log" || true; }

{
  echo
  echo "Summary: $# faults, $caught_count caught, ${#missed[@]} missed, ${#other[@]} not run to the end"
  [ ${#missed[@]} -eq 0 ] || echo "Missed: ${missed[*]}"
  [ ${#other[@]} -eq 0 ] || echo "Not applied or not built: ${other[*]}"
} >>"$results"
echo
cat "$results"
