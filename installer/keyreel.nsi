; Keyreel's per-user setup: installs into the user's own programs folder
; without administrator rights, since the schedule database lives beside
; keyreel.exe and must be writable by the user who runs it.
;
; Built by scripts/package.sh, which defines:
;   VERSION    the program's version (from the CMake project)
;   FILES_NSH  the generated lists of the files to install
;              (KeyreelInstallFiles, KeyreelRemoveFiles)
;   SIZE_KB    their size, for the uninstall entry
;   OUTFILE    the setup program to write
;
; Command line: /S installs silently; /DesktopShortcut and /StartAtSignIn
; tick those components (an upgrade keeps what the earlier install chose).
; The uninstaller takes /S too and then keeps the schedule and settings.

!ifndef VERSION | FILES_NSH | SIZE_KB | OUTFILE
  !error "Build the setup with scripts/package.sh"
!endif

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "WinMessages.nsh"
!include "running_keyreel.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Keyreel"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define CLASSES_KEY "Software\Classes"
!define PROG_ID "Keyreel.Macro"
; The program's settings: every section of them lives below this key.
!define SETTINGS_KEY "Software\Keyreel"
!define START_MENU_FOLDER "$SMPROGRAMS\Keyreel"
!define SHCNE_ASSOCCHANGED 0x08000000

!include "installed_examples.nsh"
!include "${FILES_NSH}"

Name "Keyreel"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Keyreel"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Keyreel ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Keyreel"
VIAddVersionKey "FileDescription" "Keyreel ${VERSION} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" ""

!define MUI_ICON "${__FILEDIR__}/../src/app/keyreel.ico"
!define MUI_UNICON "${__FILEDIR__}/../src/app/keyreel.ico"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_SMALLDESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\keyreel.exe"
!define MUI_FINISHPAGE_RUN_TEXT "&Run Keyreel"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

!insertmacro KEYREEL_CLOSE_RUNNING "" "setup"
!insertmacro KEYREEL_CLOSE_RUNNING "un." "the uninstaller"

Section "Keyreel" secProgram
  SectionIn RO
  ; Files in use cannot be replaced: an upgrade asks a running Keyreel to
  ; close before it touches anything, and stops when it stays.
  Call closeRunningKeyreel

  !insertmacro KeyreelInstallFiles
  !insertmacro KeyreelRetireExamples
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "${START_MENU_FOLDER}"
  CreateShortcut "${START_MENU_FOLDER}\Keyreel.lnk" "$INSTDIR\keyreel.exe"
  CreateShortcut "${START_MENU_FOLDER}\Keyreel Help.lnk" "$INSTDIR\keyreel.chm"

  Call registerFileType

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Keyreel"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\keyreel.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section /o "Desktop shortcut" secDesktop
  CreateShortcut "$DESKTOP\Keyreel.lnk" "$INSTDIR\keyreel.exe"
SectionEnd

Section /o "Start Keyreel when I sign in to Windows" secSignIn
  WriteRegStr HKCU "${RUN_KEY}" "Keyreel" '"$INSTDIR\keyreel.exe"'
SectionEnd

; The components left unticked are undone, so that an upgrade follows the
; choices made on this run.
Section "-unticked"
  ${IfNot} ${SectionIsSelected} ${secDesktop}
    Delete "$DESKTOP\Keyreel.lnk"
  ${EndIf}
  ${IfNot} ${SectionIsSelected} ${secSignIn}
    DeleteRegValue HKCU "${RUN_KEY}" "Keyreel"
  ${EndIf}
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${secProgram} "keyreel.exe, the kyr tool, the help and example macros, with Start menu shortcuts and the .kyr file type."
  !insertmacro MUI_DESCRIPTION_TEXT ${secDesktop} "A shortcut to Keyreel on the desktop."
  !insertmacro MUI_DESCRIPTION_TEXT ${secSignIn} "Keyreel starts in the notification area when you sign in."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function .onInit
  ; Options of the command line first, then what an earlier install chose.
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/DesktopShortcut" $1
  ${IfNot} ${Errors}
  ${OrIf} ${FileExists} "$DESKTOP\Keyreel.lnk"
    !insertmacro SelectSection ${secDesktop}
  ${EndIf}
  ReadRegStr $2 HKCU "${RUN_KEY}" "Keyreel"
  ClearErrors
  ${GetOptions} $0 "/StartAtSignIn" $1
  ${IfNot} ${Errors}
  ${OrIf} $2 != ""
    !insertmacro SelectSection ${secSignIn}
  ${EndIf}
FunctionEnd

; .kyr files open in Keyreel, which plays or loads them as its start-up
; settings say; Edit opens them in Notepad, named by its full path so that
; no notepad.exe elsewhere is found first.
Function registerFileType
  WriteRegStr HKCU "${CLASSES_KEY}\.kyr" "" "${PROG_ID}"
  WriteRegStr HKCU "${CLASSES_KEY}\${PROG_ID}" "" "Keyreel macro"
  WriteRegStr HKCU "${CLASSES_KEY}\${PROG_ID}\DefaultIcon" "" "$INSTDIR\keyreel.exe,0"
  WriteRegStr HKCU "${CLASSES_KEY}\${PROG_ID}\shell" "" "open"
  WriteRegStr HKCU "${CLASSES_KEY}\${PROG_ID}\shell\open\command" "" '"$INSTDIR\keyreel.exe" "%1"'
  WriteRegExpandStr HKCU "${CLASSES_KEY}\${PROG_ID}\shell\edit\command" "" '"%SystemRoot%\System32\notepad.exe" "%1"'
  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
FunctionEnd

Section "un.Keyreel" unSecProgram
  SectionIn RO
  ; Nothing is removed while Keyreel runs: half a program would be left.
  Call un.closeRunningKeyreel

  !insertmacro KeyreelRemoveFiles
  Delete "$INSTDIR\uninstall.exe"
  Delete "${START_MENU_FOLDER}\Keyreel.lnk"
  Delete "${START_MENU_FOLDER}\Keyreel Help.lnk"
  RMDir "${START_MENU_FOLDER}"
  Delete "$DESKTOP\Keyreel.lnk"
  DeleteRegValue HKCU "${RUN_KEY}" "Keyreel"

  ; The extension goes only while it is still Keyreel's.
  ReadRegStr $0 HKCU "${CLASSES_KEY}\.kyr" ""
  ${If} $0 == "${PROG_ID}"
    DeleteRegValue HKCU "${CLASSES_KEY}\.kyr" ""
    DeleteRegKey /ifempty HKCU "${CLASSES_KEY}\.kyr"
  ${EndIf}
  DeleteRegKey HKCU "${CLASSES_KEY}\${PROG_ID}"
  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
SectionEnd

Section /o "un.Remove my schedule and settings" unSecData
  Delete "$INSTDIR\macro.kdb"
  Delete "$INSTDIR\macro.kdb.bak"
  DeleteRegKey HKCU "${SETTINGS_KEY}"
SectionEnd

Section "-un.finish"
  ; A program that has just ended (Keyreel, or the uninstaller that started
  ; this copy of itself) may hold its file for a moment: the files are
  ; removed again for up to five seconds until they are gone.
  StrCpy $1 0
  ${Do}
    ${IfNot} ${FileExists} "$INSTDIR\uninstall.exe"
    ${AndIfNot} ${FileExists} "$INSTDIR\keyreel.exe"
      ${ExitDo}
    ${EndIf}
    IntOp $1 $1 + 1
    ${If} $1 > 50
      ${ExitDo}
    ${EndIf}
    Sleep 100
    !insertmacro KeyreelRemoveFiles
    Delete "$INSTDIR\uninstall.exe"
  ${Loop}
  ; The folder stays while it holds the schedule or anything else of the
  ; user's.
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

!insertmacro MUI_UNFUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${unSecProgram} "The program, its shortcuts and the .kyr file type."
  !insertmacro MUI_DESCRIPTION_TEXT ${unSecData} "Also deletes the schedule (macro.kdb and its backup) and Keyreel's settings. Leave it unticked to keep them for a later install."
!insertmacro MUI_UNFUNCTION_DESCRIPTION_END
