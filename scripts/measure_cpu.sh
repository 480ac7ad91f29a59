#!/usr/bin/env bash
# Measures keyreel.exe's processor use, as a share of one core, while a
# macro waits in `Wait`, while it waits in `WaitForWindow`, while the
# program sits idle in the tray, and while it sits there with the scheduler
# loaded over 1,000 entries, none of them due. A benchmark: it prints
# numbers, it does not pass or fail.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
source scripts/wine-env.sh
source scripts/keyreel-under-wine.sh
build_windows_programs
start_wine_env
# The schedule database beside keyreel.exe is put back as it was.
database="$(dirname "$KEYREEL_EXE")/macro.kdb"
saved_database=$(mktemp)
had_database=0
if [ -f "$database" ]; then
  cp "$database" "$saved_database"
  had_database=1
fi
restore_database() {
  if [ "$had_database" = 1 ]; then cp "$saved_database" "$database"; else rm -f "$database"; fi
  rm -f "$saved_database"
}
trap 'stop_keyreel; stop_wine_env; restore_database' EXIT

ticks=$(getconf CLK_TCK)
work=$(mktemp -d)

# The Linux process that runs keyreel.exe under this script's Wine prefix
# (other copies may run beside it under prefixes of their own).
keyreel_pid() {
  local pid
  for pid in $(pgrep -f 'keyreel\.exe'); do
    if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
      echo "$pid"
    fi
  done | tail -n 1
}

cpu_ticks() {
  awk '{ print $14 + $15 }' "/proc/$1/stat"
}

measure() {  # label seconds
  local pid before after
  pid=$(keyreel_pid)
  before=$(cpu_ticks "$pid")
  sleep "$2"
  after=$(cpu_ticks "$pid")
  awk -v l="$1" -v d=$((after - before)) -v t="$ticks" -v s="$2" \
    'BEGIN { printf "%-34s %5.2f%% of one core (%d ticks in %d s)\n", l, 100 * d / (t * s), d, s }'
}

set_keyreel_setting startup runLoaded 1
set_keyreel_setting startup Run 0

# A macro on the command line: the main window is shown, with its live
# pointer position, while the macro plays.
printf 'Wait >15\r\n' > "$work/wait.kyr"
start_keyreel "$(windows_path "$work/wait.kyr")"
winprobe wait 'Keyreel   »' 20000 >/dev/null
measure "during a 10-second Wait:" 10
stop_keyreel

printf 'WaitForWindow >No Such Window\r\n' > "$work/window.kyr"
start_keyreel "$(windows_path "$work/window.kyr")"
winprobe wait 'Keyreel   »' 20000 >/dev/null
measure "during a 10-second WaitForWindow:" 10
stop_keyreel

# Without a macro it starts hidden in the tray; the scheduler is not loaded.
start_keyreel
sleep 2
measure "idle in the tray for 10 s:" 10
stop_keyreel

# 1,000 daily entries, all of them years ahead; the main window's Hide loads
# the scheduler hidden, and its clock runs from then on.
for i in $(seq 1 1000); do
  printf '"Entry %d","9:%02d:00","1/%d/2099","%d","D","C:\\Macros\\m%d.kyr","False",""\r\n' \
    "$i" $((i % 60)) $((i % 28 + 1)) $(((i + 4) % 7 + 1)) "$i"
done > "$database"
set_keyreel_setting startup runLoaded 0
start_keyreel "$(windows_path "$work/wait.kyr")"
winprobe wait 'Keyreel   x' 20000 >/dev/null
xdotool key alt+d
winprobe gone 'Keyreel   x' 10000
winprobe loaded KeyreelSchedulerWindow 10000
sleep 2
measure "hidden, scheduler, 1,000 entries:" 10
stop_keyreel
rm -rf "$work"
