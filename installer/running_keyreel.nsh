; Asking a running Keyreel to close before its files are replaced or
; removed. Keyreel runs once per user and has one main window of the class
; below, hidden while it sits in the notification area. Closing that window
; is the program's own Exit: it ends at once, or asks first about work not
; yet saved in its other windows and stays when the user keeps it.

!include "LogicLib.nsh"
!include "WinMessages.nsh"

!define KEYREEL_MAIN_WINDOW_CLASS "KeyreelMainWindow"
!define KEYREEL_CLOSE_WAIT_MS 5000
!define KEYREEL_CLOSE_POLLS 50
!define KEYREEL_SYNCHRONIZE 0x00100000
!define KEYREEL_WAIT_OBJECT_0 0

; Defines closeRunningKeyreel for the installer (UN "", AGAIN "setup") or
; the uninstaller ("un.", "the uninstaller"). It returns once no Keyreel
; runs; when one keeps running it tells the user (not in silent mode) and
; aborts, before anything was changed.
!macro KEYREEL_CLOSE_RUNNING UN AGAIN
Function ${UN}closeRunningKeyreel
  FindWindow $0 "${KEYREEL_MAIN_WINDOW_CLASS}"
  ${If} $0 == 0
    Return
  ${EndIf}
  DetailPrint "Closing Keyreel..."
  ; The process, not the window, holds keyreel.exe: wait for it to end.
  System::Call 'user32::GetWindowThreadProcessId(p r0, *i 0 r1)'
  System::Call 'kernel32::OpenProcess(i ${KEYREEL_SYNCHRONIZE}, i 0, i r1) p .r2'
  ; Posted, not sent: the program may hold the message while it asks.
  System::Call 'user32::PostMessageW(p r0, i ${WM_CLOSE}, p 0, p 0)'
  ${If} $2 != 0
    System::Call 'kernel32::WaitForSingleObject(p r2, i ${KEYREEL_CLOSE_WAIT_MS}) i .r3'
    System::Call 'kernel32::CloseHandle(p r2)'
  ${Else}
    ; Without a handle on the process, its window going is the sign.
    StrCpy $3 1
    ${For} $4 1 ${KEYREEL_CLOSE_POLLS}
      Sleep 100
      FindWindow $5 "${KEYREEL_MAIN_WINDOW_CLASS}"
      ${If} $5 == 0
        StrCpy $3 ${KEYREEL_WAIT_OBJECT_0}
        ${Break}
      ${EndIf}
    ${Next}
  ${EndIf}
  ${If} $3 != ${KEYREEL_WAIT_OBJECT_0}
    MessageBox MB_OK|MB_ICONEXCLAMATION "Keyreel is still running. Close it and run ${AGAIN} again." /SD IDOK
    Abort "Keyreel is still running."
  ${EndIf}
FunctionEnd
!macroend
