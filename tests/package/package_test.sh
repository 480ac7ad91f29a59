#!/usr/bin/env bash
# The setup program and the portable zip under Wine, in a fresh prefix of their own: a silent
# install and what it leaves, a .kyr file opened through the shell's association, an upgrade and an
# uninstall while Keyreel runs, both refusing while Keyreel does not close, the wizards driven with
# keys, and the portable copy run from its own folder.
#
# Needs scripts/package.sh's output and the windows build's winprobe.exe. With KEYREEL_SCREENS=DIR
# it saves the wizards' pages there as PNGs.
set -euo pipefail
cd "$(dirname "$0")/../.."
source tests/package/package_support.sh

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/windows/CMakeCache.txt)
setup_exe=$PWD/build/package/keyreel-$version-setup.exe
portable_zip=$PWD/build/package/keyreel-$version-portable.zip
winprobe=$PWD/build/windows/tools/winprobe/winprobe.exe
# What a user gets, by its name in the program's folder, and where it comes from.
declare -A package_sources=(
  [keyreel.exe]=build/windows/src/app/keyreel.exe
  [kyr.exe]=build/windows/tools/kyr/kyr.exe
  [keyreel.chm]=build/windows/src/app/keyreel.chm
)
for example in examples/*.kyr; do
  package_sources[$example]=$example
done
for file in "$setup_exe" "$portable_zip" "$winprobe"; do
  [ -f "$file" ] || { echo "package_test: $file is missing (run scripts/package.sh)" >&2; exit 2; }
done

source scripts/wine-env.sh
start_wine_env
trap stop_wine_env EXIT
# Shortcuts stay inside the prefix: no menu entries for this machine's own desktop.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
find_wine_folders

install_dir_win="$local_app_data_win\\Programs\\Keyreel"
install_dir=$(unix_path "$install_dir_win")
macros_win='C:\Keyreel macros'
macros=$(unix_path "$macros_win")
mkdir -p "$macros"
printf 'Wait >1\r\n' >"$macros/idle.kyr"
printf 'RunProgram >notepad.exe\r\nWaitForWindow >Untitled - Notepad\r\nSetFocus >Notepad\r\nSendText >Played through the file type\r\n' \
  >"$macros/association.kyr"

echo "== silent install"
check "setup /S exits 0" wine "$setup_exe" /S /DesktopShortcut /StartAtSignIn
for file in "${!package_sources[@]}"; do
  check "installed $file" cmp -s "$install_dir/$file" "${package_sources[$file]}"
done
check "installed uninstall.exe" test -f "$install_dir/uninstall.exe"
# The help's Search tab finds words only through the full-text index.
check "the help holds its search index" grep -qa '/$FIftiMain' "$install_dir/keyreel.chm"
check "Start menu shortcut Keyreel" test -f "$start_menu/Keyreel/Keyreel.lnk"
check "Start menu shortcut Keyreel Help" test -f "$start_menu/Keyreel/Keyreel Help.lnk"
check "desktop shortcut" test -f "$desktop/Keyreel.lnk"
classes='HKCU\Software\Classes'
check ".kyr is a Keyreel macro" has_value "$classes\\.kyr" '' Keyreel.Macro
check "Open runs keyreel.exe with the file" has_value "$classes\\Keyreel.Macro\\shell\\open\\command" '' \
  "\"$install_dir_win\\keyreel.exe\" \"%1\""
edit_command="$classes\\Keyreel.Macro\\shell\\edit\\command"
check "Edit opens the system's Notepad" has_value "$edit_command" '' \
  '"%SystemRoot%\System32\notepad.exe" "%1"'
check "Edit's command is expanded" has_value_type "$edit_command" '' REG_EXPAND_SZ
check "file type icon" has_value "$classes\\Keyreel.Macro\\DefaultIcon" '' "$install_dir_win\\keyreel.exe,0"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Keyreel'
check "entry name" has_value "$uninstall_key" DisplayName Keyreel
check "entry version" has_value "$uninstall_key" DisplayVersion "$version"
check "entry icon" has_value "$uninstall_key" DisplayIcon "$install_dir_win\\keyreel.exe,0"
check "entry uninstall" has_value "$uninstall_key" UninstallString "\"$install_dir_win\\uninstall.exe\""
check "entry quiet uninstall" has_value "$uninstall_key" QuietUninstallString \
  "\"$install_dir_win\\uninstall.exe\" /S"
check "entry size" is_positive "$(reg_value "$uninstall_key" EstimatedSize)"
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
check "starts at sign-in" has_value "$run_key" Keyreel "\"$install_dir_win\\keyreel.exe\""

echo "== the shell opens a .kyr file with Keyreel"
settings='HKCU\Software\Keyreel\treel'
check "play the loaded file at start-up" set_value "$settings\\startup" runLoaded 1
check "no count-down before it" set_value "$settings\\startup" Run 0
check "the file type merged as on Windows" merge_user_class .kyr
check "the program id merged as on Windows" merge_user_class Keyreel.Macro
wine cmd /c start "" "$macros_win\\association.kyr" 2>/dev/null
check "the macro played into Notepad" text_arrives "Untitled - Notepad" "Played through the file type"
check "Keyreel ended its play" probe wait "$kIdleTitle" 20000
probe close "$kIdleTitle"
check "Keyreel closed" probe gone "$kIdleTitle" 20000
unmerge_user_class .kyr
unmerge_user_class Keyreel.Macro
wine taskkill /f /im notepad.exe >/dev/null 2>&1
check "Notepad closed" probe gone "Untitled - Notepad" 20000

echo "== upgrade while Keyreel runs"
check "no play at start-up" set_value "$settings\\startup" runLoaded 0
check "a delay of 7 s stored" set_value "$settings\\startup" delay 7
printf '"Backup","9:05:07","3/5/2000","1","D","C:\\B.KYR","False",""\r\n' >"$install_dir/macro.kdb"
printf 'earlier\r\n' >"$install_dir/macro.kdb.bak"
cp "$install_dir/macro.kdb" "$macros/kdb.expected"
# An example the user changed is the user's from then on.
changed_example=$install_dir/examples/notepad_hello.kyr
printf 'SendText >mine\r\n' >>"$changed_example"
cp "$changed_example" "$macros/example.expected"
start_keyreel "$install_dir/keyreel.exe"
check "setup /S exits 0" wine "$setup_exe" /S
check "the changed example kept" cmp -s "$changed_example" "$macros/example.expected"
check "the running Keyreel was closed" process_ended "$keyreel_pid"
check "macro.kdb kept" cmp -s "$install_dir/macro.kdb" "$macros/kdb.expected"
check "macro.kdb.bak kept" grep -q earlier "$install_dir/macro.kdb.bak"
check "settings kept" has_value "$settings\\startup" delay 7
check "desktop shortcut kept" test -f "$desktop/Keyreel.lnk"
check "start at sign-in kept" has_value "$run_key" Keyreel "\"$install_dir_win\\keyreel.exe\""

echo "== a Keyreel that does not close stops setup and uninstall"
# A stopped process takes no messages, as one that keeps a question open.
set_value "$uninstall_key" DisplayVersion 0.9
start_keyreel "$install_dir/keyreel.exe"
kill -STOP "$keyreel_pid"
wine "$setup_exe" &
wizard_pid=$!
wizard_page "Keyreel Setup" "Welcome to Keyreel Setup" setup-welcome
keys_to "Keyreel Setup" alt+n
wizard_page "Keyreel Setup" "Choose Components" setup-components
keys_to "Keyreel Setup" alt+n
wizard_page "Keyreel Setup" "Choose Install Location" setup-directory
keys_to "Keyreel Setup" alt+i
wizard_page "Keyreel Setup" "Keyreel is still running. Close it and run setup again." setup-still-running
keys_to "Keyreel Setup" Return
wizard_page "Keyreel Setup" "Installation Aborted" setup-aborted
# Its one button left is Cancel, which has the focus.
keys_to "Keyreel Setup" Return
check "setup ended" process_ended "$wizard_pid"
check "setup exits 2" exits_with 2 wait "$wizard_pid"
check "setup changed nothing" has_value "$uninstall_key" DisplayVersion 0.9
# Run in place (_?=) so that Wine waits for the uninstaller itself.
check "uninstall /S exits 2" exits_with 2 wine "$install_dir/uninstall.exe" /S "_?=$install_dir_win"
check "uninstall removed nothing" test -f "$install_dir/keyreel.exe"
check "the file type stays" has_value "$classes\\.kyr" '' Keyreel.Macro
kill -CONT "$keyreel_pid"
# It then reads the close request that was waiting for it.
check "Keyreel closed once it ran again" process_ended "$keyreel_pid"

echo "== uninstall while Keyreel runs"
start_keyreel "$install_dir/keyreel.exe"
wine "$install_dir/uninstall.exe" /S
# The uninstaller goes on from a copy of itself: wait for its last step.
check "uninstall entry removed" wait_until 30 key_absent "$uninstall_key"
check "the running Keyreel was closed" process_ended "$keyreel_pid"
for file in keyreel.exe kyr.exe keyreel.chm examples/repeat_block.kyr uninstall.exe; do
  check "removed $file" test ! -e "$install_dir/$file"
done
check "the changed example kept" cmp -s "$changed_example" "$macros/example.expected"
check "no other example left" test "$(ls "$install_dir/examples")" = notepad_hello.kyr
rm -r "$install_dir/examples"
check "Start menu shortcuts removed" test ! -e "$start_menu/Keyreel"
check "desktop shortcut removed" test ! -e "$desktop/Keyreel.lnk"
check ".kyr removed" key_absent "$classes\\.kyr"
check "Keyreel.Macro removed" key_absent "$classes\\Keyreel.Macro"
check "start at sign-in removed" value_absent "$run_key" Keyreel
check "macro.kdb kept" cmp -s "$install_dir/macro.kdb" "$macros/kdb.expected"
check "macro.kdb.bak kept" grep -q earlier "$install_dir/macro.kdb.bak"
check "settings kept" has_value "$settings\\startup" delay 7

echo "== the setup wizard"
wine "$setup_exe" &
wizard_pid=$!
wizard_page "Keyreel Setup" "Welcome to Keyreel Setup"
keys_to "Keyreel Setup" alt+n
wizard_page "Keyreel Setup" "Choose Components"
# The tree has the focus on Keyreel; the desktop shortcut is next. The keys reach the wizard in
# order, so Next follows the tick.
tree_keys_to "Keyreel Setup" Down space alt+n
wizard_page "Keyreel Setup" "Choose Install Location"
keys_to "Keyreel Setup" alt+i
wizard_page "Keyreel Setup" "Completing Keyreel Setup" setup-finish
# Run Keyreel is ticked; untick it.
keys_to "Keyreel Setup" alt+r alt+f
check "the wizard ended" process_ended "$wizard_pid"
check "installed keyreel.exe" test -f "$install_dir/keyreel.exe"
check "desktop shortcut ticked in the wizard" test -f "$desktop/Keyreel.lnk"
check "start at sign-in left unticked" value_absent "$run_key" Keyreel

echo "== the uninstall wizard, removing the schedule and settings"
wine "$install_dir/uninstall.exe" &
wizard_page "Keyreel Uninstall" "Choose Components" uninstall-components
tree_keys_to "Keyreel Uninstall" Down space alt+u
wizard_page "Keyreel Uninstall" "Uninstallation Complete" uninstall-done
keys_to "Keyreel Uninstall" alt+c
check "uninstall entry removed" wait_until 30 key_absent "$uninstall_key"
[ ! -e "$install_dir" ] || ls -AR "$install_dir" >&2
check "program folder removed with the schedule" test ! -e "$install_dir"
check "settings removed" key_absent 'HKCU\Software\Keyreel'

echo "== the portable zip"
portable_win='C:\Portable Keyreel'
portable=$(unix_path "$portable_win")
mkdir -p "$portable"
unzip -q "$portable_zip" -d "$portable"
for file in "${!package_sources[@]}"; do
  check "unpacked $file" cmp -s "$portable/$file" "${package_sources[$file]}"
done
start_keyreel "$portable/keyreel.exe"
check "no schedule before the scheduler opens" test ! -e "$portable/macro.kdb"
# Prefs > Scheduler, the menu's last item: the scheduler creates its database beside the program
# when it finds none.
xdotool search --name "$kIdleTitle" windowactivate --sync key alt+p End Return
check "macro.kdb written in the portable folder" wait_until 20 test -f "$portable/macro.kdb"
probe close "$kIdleTitle"
check "portable Keyreel closed" process_ended "$keyreel_pid"

echo "package tests passed"
