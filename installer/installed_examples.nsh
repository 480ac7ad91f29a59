; The example macros are the user's to change. Each one installed is
; recorded by its size and time; an upgrade replaces, and the uninstaller
; removes, only an example that still has both. One the user changed, or
; one no install recorded, is left as it is.

!include "LogicLib.nsh"

; Below the uninstall entry, so that it goes with it.
!define KEYREEL_EXAMPLES_KEY "${UNINSTALL_KEY}\Examples"

; Defines exampleUnchanged for the installer (UN "") or the uninstaller
; ("un."): for the example named on the stack, it leaves "1" when it may be
; replaced or removed (it is missing, or as it was installed), else "0".
!macro KEYREEL_EXAMPLE_CHECK UN
Function ${UN}exampleUnchanged
  Exch $0
  Push $1
  Push $2
  ${IfNot} ${FileExists} "$INSTDIR\examples\$0"
    StrCpy $0 1
  ${Else}
    ReadRegStr $1 HKCU "${KEYREEL_EXAMPLES_KEY}" "$0"
    Push "$INSTDIR\examples\$0"
    Call ${UN}exampleFingerprint
    Pop $2
    ${If} $1 != ""
    ${AndIf} $1 == $2
      StrCpy $0 1
    ${Else}
      StrCpy $0 0
    ${EndIf}
  ${EndIf}
  Pop $2
  Pop $1
  Exch $0
FunctionEnd

; The size and last-write time of the file named on the stack, as text.
Function ${UN}exampleFingerprint
  Exch $0
  Push $1
  Push $2
  Push $3
  GetFileTime "$0" $1 $2
  FileOpen $3 "$0" r
  FileSeek $3 0 END $0
  FileClose $3
  StrCpy $0 "$0 $1 $2"
  Pop $3
  Pop $2
  Pop $1
  Exch $0
FunctionEnd
!macroend

!insertmacro KEYREEL_EXAMPLE_CHECK ""
!insertmacro KEYREEL_EXAMPLE_CHECK "un."

; Installs the example NAME from SOURCE into the current output folder
; ($INSTDIR\examples) unless the user changed the one already there.
!macro KeyreelInstallExample SOURCE NAME
  Push "${NAME}"
  Call exampleUnchanged
  Pop $0
  ${If} $0 == 1
    File "${SOURCE}"
    Push "$INSTDIR\examples\${NAME}"
    Call exampleFingerprint
    Pop $0
    WriteRegStr HKCU "${KEYREEL_EXAMPLES_KEY}" "${NAME}" "$0"
  ${Else}
    DetailPrint "Kept examples\${NAME}: it was changed since it was installed."
  ${EndIf}
!macroend

!macro KeyreelRemoveExample NAME
  Push "${NAME}"
  Call un.exampleUnchanged
  Pop $0
  ${If} $0 == 1
    Delete "$INSTDIR\examples\${NAME}"
  ${EndIf}
!macroend

; Examples of earlier versions that no longer ship under their name: an
; upgrade removes each one the user left unchanged, as an uninstall would.
!macro KeyreelRetireExamples
  Push "calculator.kyr"
  Call exampleUnchanged
  Pop $0
  ${If} $0 == 1
    Delete "$INSTDIR\examples\calculator.kyr"
    DeleteRegValue HKCU "${KEYREEL_EXAMPLES_KEY}" "calculator.kyr"
  ${EndIf}
!macroend
