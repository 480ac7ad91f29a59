# Helpers of package_test.sh: checks, waits, the registry and windows of the Wine prefix, as seen
# from this machine's side.

kAppTitle="Tobrin's Keyreel"
kIdleTitle="Tobrin's Keyreel   x"

# check DESCRIPTION COMMAND...: the first failure ends the test.
check() {
  local what=$1
  shift
  if "$@"; then
    echo "ok: $what"
  else
    echo "FAIL: $what" >&2
    exit 1
  fi
}

# wait_until SECONDS COMMAND...: asks every tenth of a second.
wait_until() {
  local tenths=$(($1 * 10))
  shift
  _keyreel_wait_for "$tenths" "$@"
}

exits_with() {
  local wanted=$1 status=0
  shift
  "$@" || status=$?
  [ "$status" -eq "$wanted" ]
}

is_positive() {
  [[ "$1" =~ ^(0x)?[0-9a-f]+$ ]] && (($1 > 0))
}

# A Windows program's output, without the carriage returns.
win() {
  wine "$@" 2>/dev/null | tr -d '\r'
}

unix_path() {
  winepath -u "$1" 2>/dev/null
}

# Sets local_app_data_win (a Windows path), start_menu and desktop.
find_wine_folders() {
  local_app_data_win=$(win cmd /c 'echo %LOCALAPPDATA%')
  start_menu=$(unix_path "$(win cmd /c 'echo %APPDATA%')\\Microsoft\\Windows\\Start Menu\\Programs")
  desktop=$(unix_path "$(win cmd /c 'echo %USERPROFILE%')\\Desktop")
  # A new prefix links its desktop to this machine's; the test keeps its shortcuts inside the
  # prefix.
  if [ -L "$desktop" ]; then
    rm "$desktop"
    mkdir "$desktop"
  fi
}

# _reg_query KEY NAME: the value's line; NAME '' for the key's default value.
_reg_query() {
  if [ -n "$2" ]; then win reg query "$1" /v "$2"; else win reg query "$1" /ve; fi
}

reg_value() {
  _reg_query "$1" "$2" | sed -n 's/^    .*    REG_[A-Z_]*    //p'
}

has_value() {
  local actual
  actual=$(reg_value "$1" "$2")
  [ "$actual" = "$3" ] || {
    echo "  $1 [$2] is '$actual', not '$3'; the key holds:" >&2
    win reg query "$1" >&2
    return 1
  }
}

# has_value_type KEY NAME TYPE: the value is stored as TYPE (REG_SZ ...).
has_value_type() {
  _reg_query "$1" "$2" | grep -q "    $3    "
}

set_value() {
  wine reg add "$1" /v "$2" /d "$3" /f >/dev/null 2>&1
}

# Windows shows a user's own classes (HKCU\Software\Classes) merged into HKEY_CLASSES_ROOT, where
# the shell looks up a file's type; Wine 8 does not. The test makes that merge itself by copying the
# key to the machine's classes, so that the shell's own lookup and command line run.
merge_user_class() {
  wine reg copy "HKCU\\Software\\Classes\\$1" "HKLM\\Software\\Classes\\$1" /s /f >/dev/null 2>&1
}

unmerge_user_class() {
  wine reg delete "HKLM\\Software\\Classes\\$1" /f >/dev/null 2>&1
}

key_absent() {
  ! wine reg query "$1" >/dev/null 2>&1
}

value_absent() {
  ! wine reg query "$1" /v "$2" >/dev/null 2>&1
}

probe() {
  wine "$winprobe" "$@" >/dev/null 2>&1
}

# text_arrives TITLE TEXT: the window's edit control comes to hold TEXT.
text_arrives() {
  probe wait "$1" 20000 || return 1
  local text
  text=$(wine "$winprobe" text "$1" 10000 2>/dev/null | tr -d '\r')
  [[ "$text" == *"$2"* ]] || {
    echo "  '$1' holds '$text'" >&2
    return 1
  }
}

# start_keyreel EXE: keyreel.exe with a macro loaded, its window shown; sets keyreel_pid.
start_keyreel() {
  wine "$1" "$macros_win\\idle.kyr" >/dev/null 2>&1 &
  keyreel_pid=$!
  check "Keyreel started" probe wait "$kIdleTitle" 20000
}

_process_gone() {
  ! ps -o stat= -p "$1" | grep -qv Z
}

process_ended() {
  wait_until 20 _process_gone "$1"
}

# shot NAME: the screen, when KEYREEL_SCREENS names a folder for it.
shot() {
  if [ -n "${KEYREEL_SCREENS:-}" ] && [ -n "$1" ]; then
    mkdir -p "$KEYREEL_SCREENS"
    import -window root "$KEYREEL_SCREENS/$1.png"
  fi
}

# The wizards add a space to their titles after the first page.
_has_display_focus() {
  [[ "$(xdotool getwindowfocus getwindowname 2>/dev/null)" == "$1"* ]]
}

# keys_to TITLE KEYS...: the keys, once the display has given its keyboard to the window: Wine shows
# a new window before openbox has mapped and focused it, and keys pressed in between are lost.
keys_to() {
  check "the keyboard is with \"$1\"" wait_until 20 _has_display_focus "$1"
  xdotool key "${@:2}"
}

# tree_keys_to TITLE KEYS...: keys for a wizard's components tree, once it has the focus. The page's
# heading is shown before the page holding the tree is made: a Space sent then would press a button
# instead.
tree_keys_to() {
  check "the components tree of \"$1\" has the focus" probe focus "$1" SysTreeView32 20000
  keys_to "$@"
}

# wizard_page TITLE TEXT [SHOT]: waits for the wizard to show a page with TEXT on it.
wizard_page() {
  check "page \"$2\"" probe wait-child "$1" "$2" 20000
  shot "${3:-}"
}
