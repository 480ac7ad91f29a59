#!/usr/bin/env bash
# Makes the help's screenshots, docs/help/images/*.png, from the Windows
# build: keyreel.exe runs under Wine on a virtual display of its own and is
# driven as a user drives it (menus by their access keys, clicks on its
# controls); every window is waited for by its title, then cut out of the
# screen and reduced to 64 colours so that the pictures stay small.
# Run it again whenever a window changes, and look at what it made.
#   scripts/screenshots.sh [BUILD_DIR]     (default build/windows)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build/windows}
images=$root/docs/help/images
program=$build/src/app/keyreel.exe
[ -f "$program" ] || { echo "screenshots: build the windows preset first ($program)" >&2; exit 1; }

# shellcheck source=wine-env.sh
source "$root/scripts/wine-env.sh"
work=$(mktemp -d /tmp/keyreel-shots.XXXXXX)
keyreel_pid=
holder_pid=
finish() {
  [ -n "$keyreel_pid" ] && kill "$keyreel_pid" 2>/dev/null
  [ -n "$holder_pid" ] && kill "$holder_pid" 2>/dev/null
  stop_wine_env
  rm -rf "$work"
}
trap finish EXIT
start_wine_env

# keyreel.exe keeps macro.kdb beside itself: a copy in a folder of its own
# leaves the build alone.
cp "$program" "$work/"
cat >"$work/hello.kyr" <<'EOF'
RunProgram >notepad.exe
WaitForWindow >Untitled - Notepad
SetFocus >Untitled - Notepad
SendText >Hello from Keyreel!
EOF
mkdir -p "$images"

# The visible window whose title matches, once it is there.
window() { xdotool search --sync --onlyvisible --name "$1" | head -n 1; }
shot() {
  # shot NAME WINDOW: the window as docs/help/images/NAME.png, with the
  # pointer out of the way (labels under it turn green).
  xdotool mousemove 1270 1010
  _keyreel_wait_for 100 _painted "$2"
  import -frame -window "$2" "$work/raw.png"
  convert "$work/raw.png" -strip -colors 64 "PNG8:$images/$1.png"
  echo "screenshots: $1.png ($(stat -c %s "$images/$1.png") bytes)"
}
# A window just shown may still be black, all of one colour, until it has
# painted itself.
_painted() {
  [ "$(import -window "$1" png:- | convert - -format '%[fx:standard_deviation > 0.02]' info:)" = 1 ]
}
# Clicks a point of a window COUNT times (default once), in pixels from the
# top left corner of its X window, which holds the menu bar if it has one.
click_at() {
  xdotool mousemove --window "$1" "$2" "$3" click --repeat "${4:-1}" --delay 100 1
}

cd "$work"
# A file named on the command line counts down for long enough to take the
# picture, and F2 with ALT plays a macro file.
setting() { wine reg add "HKCU\\Software\\Keyreel\\treel\\$1" /v "$2" /d "$3" /f >/dev/null 2>&1; }
setting startup runLoaded 1
setting startup delay 150
setting hotkey F2 1
setting hKeyLoc F2 'C:\Macros\hello.kyr'
# Another program holds ALT+F2 before Keyreel starts, for the "in use"
# mark; it writes the file "held" once it holds the key.
cat >"$work/hold_key.c" <<'EOF'
#include <stdio.h>
#include <windows.h>
int main(void) {
    MSG message;
    if (!RegisterHotKey(NULL, 1, MOD_ALT, VK_F2))
        return 1;
    fclose(fopen("held", "w"));
    while (GetMessageW(&message, NULL, 0, 0) > 0) {
    }
    return 0;
}
EOF
x86_64-w64-mingw32-gcc -o "$work/hold_key.exe" "$work/hold_key.c"
wine hold_key.exe >/dev/null 2>&1 &
holder_pid=$!
_keyreel_wait_for 150 test -f held || { echo "screenshots: ALT+F2 not held" >&2; exit 1; }

wine keyreel.exe hello.kyr >/dev/null 2>&1 &
keyreel_pid=$!

# The visible windows, one id a line.
shown() { xdotool search --onlyvisible --classname 'keyreel' 2>/dev/null | sort; }
# Waits for a window that was not among BEFORE (a list of ids) and prints
# its id: the window a command just opened, whatever its title.
_new_among() { comm -13 <(echo "$1") <(shown) | grep -q .; }
opened() {
  _keyreel_wait_for 150 _new_among "$1" || { echo "screenshots: no new window" >&2; return 1; }
  comm -13 <(echo "$1") <(shown) | tail -n 1
}
closed() { _keyreel_wait_for 100 sh -c "! xdotool search --onlyvisible --classname keyreel | grep -qx '$1'"; }
# Chooses a menu of the main window by its access keys: Alt and the menu's
# letter, then the item's keys once the menu has opened.
menu() {
  xdotool windowactivate --sync "$main"
  local before menu_window
  before=$(shown)
  xdotool keydown alt key "$1" keyup alt
  menu_window=$(opened "$before")
  shift
  xdotool key --delay 80 "$@"
  closed "$menu_window"
}
# Opens a window with the main window's menu and prints its id.
open_with_menu() {
  local before
  before=$(shown)
  menu "$@"
  opened "$before"
}
close_window() {
  xdotool windowactivate --sync "$1" key --clearmodifiers alt+F4
  closed "$1"
}

# The count-down has the program's name alone as its title; its Cancel
# (at 176,80) keeps the macro from playing, and the file stays loaded.
countdown=$(window "^Tobrin's Keyreel$")
shot countdown "$countdown"
click_at "$countdown" 176 80
closed "$countdown"

main=$(window "Keyreel   x")
shot main_window "$main"

editor=$(open_with_menu b e)
shot editor "$editor"
# A text with two mistakes, then Edit > Check (F7); closing asks whether to
# save the text: No.
xdotool windowactivate --sync "$editor" type --delay 30 \
  $'RunProgram >notepad.exe\nWaitForWindow >Untitled - Notepad\nSendtext >Hello\nWait >soon\n'
# The findings open a pane of their own, which widens the window; the
# keys arrive in order, so the check has seen the whole text.
width_of() { xdotool getwindowgeometry --shell "$1" | sed -n 's/^WIDTH=//p'; }
editor_width=$(width_of "$editor")
_wider() { [ "$(width_of "$1")" -gt "$editor_width" ]; }
xdotool key F7
_keyreel_wait_for 300 _wider "$editor"
shot editor_check "$editor"
before=$(shown)
xdotool windowactivate --sync "$editor" key --clearmodifiers alt+F4
opened "$before" >/dev/null
xdotool key n
closed "$editor"

recorder=$(open_with_menu b r)
shot recorder "$recorder"
close_window "$recorder"

# The HotKeys tab, beside Auto Startup, while the other program holds
# ALT+F2; once it has let go, the window opened anew shows no mark.
preferences=$(open_with_menu p s)
click_at "$preferences" 115 18
shot preferences_in_use "$preferences"
close_window "$preferences"
kill "$holder_pid"
wait "$holder_pid" 2>/dev/null || true
holder_pid=

preferences=$(open_with_menu p s)
shot preferences_startup "$preferences"
# The HotKeys tab, beside Auto Startup.
click_at "$preferences" 115 18
shot preferences_hotkeys "$preferences"
close_window "$preferences"

# "&StartUp Preferences" and "&Scheduler" share their letter: End, Enter.
scheduler=$(open_with_menu p End Return)
# The scheduler's commands are labels along its foot: "Add New" opens an
# entry.
before=$(shown)
click_at "$scheduler" 223 193
entry=$(opened "$before")
opened_minute=$(date +%H%M)
shot schedule_entry "$entry"
# A daily entry for the viewer and the update window: a description, the
# frequency (D chooses "Daily - D" in the open list), the macro's path, then
# "Schedule It". Its time is the minute the window opened in: pressed in a
# later minute, the entry waits for tomorrow instead of playing. Points are
# the controls' places in the picture, below the window's own caption.
xdotool type --delay 30 "Say hello"
click_at "$entry" 190 121
xdotool key --delay 80 d Return
click_at "$entry" 200 149
xdotool type --delay 30 "C:\\Macros\\hello.kyr"
_next_minute() { [ "$(date +%H%M)" != "$opened_minute" ]; }
_keyreel_wait_for 700 _next_minute
click_at "$entry" 130 298
close_window "$entry"
# The label under the pointer is green until the pointer moves on over the
# window: wait until none is.
_no_green() {
  [ "$(import -window "$1" png:- | convert - -alpha off -fuzz 30% -fill black +opaque lime \
    -format '%[fx:maxima.g > 0]' info:)" = 0 ]
}
xdotool mousemove --window "$scheduler" 300 120
_keyreel_wait_for 50 _no_green "$scheduler"
shot scheduler "$scheduler"

click_at "$scheduler" 60 30
before=$(shown)
click_at "$scheduler" 288 193
viewer=$(opened "$before")
shot viewer "$viewer"
close_window "$viewer"

# A double click on a cell opens the update window for that cell.
before=$(shown)
click_at "$scheduler" 60 30 2
update=$(opened "$before")
shot schedule_update "$update"
close_window "$update"
close_window "$scheduler"

about=$(open_with_menu h a)
shot about "$about"
close_window "$about"

# The tracker has no title, and a menu popup left mapped would count as a
# new window too: it is the small window that follows the pointer.
_small_window() {
  local id WIDTH HEIGHT
  for id in $(shown); do
    eval "$(xdotool getwindowgeometry --shell "$id" | grep -E '^(WIDTH|HEIGHT)=')"
    if [ "$WIDTH" -lt 100 ] && [ "$HEIGHT" -lt 40 ]; then
      echo "$id"
      return 0
    fi
  done
  return 1
}
# A double click on the pointer position above Run (under the menu bar) shows the tracker; the
# picture takes in the screen around it.
click_at "$main" 170 30 2
_keyreel_wait_for 100 _small_window >/dev/null
tracker=$(_small_window)
eval "$(xdotool getwindowgeometry --shell "$tracker" | grep -E '^(X|Y)=')"
import -window root -crop "200x90+$((X - 120))+$((Y - 60))" +repage "$work/raw.png"
convert "$work/raw.png" -strip -colors 64 "PNG8:$images/tracker.png"
echo "screenshots: tracker.png ($(stat -c %s "$images/tracker.png") bytes)"

# Hide sends the main window to the tray: Wine's own tray window at the top
# left holds the icon; a right click on it opens the icon's menu, which the
# picture takes in with the tray window.
xdotool windowactivate --sync "$main" keydown alt key d keyup alt
tray=$(window "Wine System Tray")
# No window of Keyreel's is visible now.
before=$(shown || true)
xdotool mousemove --window "$tray" 10 10 click 3
menu_window=$(opened "$before")
eval "$(xdotool getwindowgeometry --shell "$menu_window" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
import -window root -crop "$((X + WIDTH + 8))x$((Y + HEIGHT + 8))+0+0" +repage "$work/raw.png"
convert "$work/raw.png" -strip -colors 64 "PNG8:$images/tray_menu.png"
echo "screenshots: tray_menu.png ($(stat -c %s "$images/tray_menu.png") bytes)"
xdotool key Escape
