; The Windows installer of scenc (cmake/windows_package.cmake runs makensis
; with VERSION, OUTFILE and LISTS, the folder of the generated file lists).
; It installs the programs into $PROGRAMFILES64\scenc\bin with the README,
; docs and examples beside them; adds that bin folder to the user's PATH
; (a component that can be unticked; a silent install /S keeps it); puts a
; Start-menu entry for the docs; and writes an uninstaller that deletes
; every file it installed, its Start-menu entries, its registry keys and
; the PATH entry.
; A 64-bit installer, like the programs it installs (and so one that runs
; under a Wine without its 32-bit half).
Target amd64-unicode
SetCompressor /SOLID lzma
!include "WinMessages.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\scenc"

Name "scenc ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\scenc"
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show

Page components
Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; $R1 = the user's PATH without the entry $R0 (entries compared without
; regard to case, empty entries dropped). Defined for the installer and
; for the uninstaller, which cannot share functions.
!macro PATH_WITHOUT prefix
Function ${prefix}PathWithout
  Push $1
  Push $2
  Push $3
  ReadRegStr $1 HKCU "Environment" "Path"
  StrCpy $R1 ""
  StrCpy $2 ""
  next_character:
    StrCpy $3 $1 1
    StrCpy $1 $1 "" 1
    StrCmp $3 ";" end_of_entry
    StrCmp $3 "" end_of_entry
    StrCpy $2 "$2$3"
    Goto next_character
  end_of_entry:
    StrCmp $2 "" entry_done
    StrCmp $2 $R0 entry_done
    StrCmp $R1 "" 0 +3
      StrCpy $R1 $2
      Goto entry_done
    StrCpy $R1 "$R1;$2"
  entry_done:
    StrCpy $2 ""
    StrCmp $3 "" 0 next_character
  Pop $3
  Pop $2
  Pop $1
FunctionEnd
!macroend
!insertmacro PATH_WITHOUT ""
!insertmacro PATH_WITHOUT "un."

Function .onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Section "scenc and the scenario program (required)" SectionPrograms
  SectionIn RO
  !include "${LISTS}/install_files.nsh"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateDirectory "$SMPROGRAMS\scenc"
  CreateShortcut "$SMPROGRAMS\scenc\scenc documentation.lnk" "$INSTDIR\docs"
  CreateShortcut "$SMPROGRAMS\scenc\Uninstall scenc.lnk" "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "scenc ${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Add scenc to my PATH" SectionPath
  StrCpy $R0 "$INSTDIR\bin"
  Call PathWithout
  StrCmp $R1 "" 0 +3
    StrCpy $R1 $R0
    Goto +2
  StrCpy $R1 "$R1;$R0"
  WriteRegExpandStr HKCU "Environment" "Path" $R1
  SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=500
SectionEnd

Section "Uninstall"
  !include "${LISTS}/uninstall_files.nsh"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\scenc\scenc documentation.lnk"
  Delete "$SMPROGRAMS\scenc\Uninstall scenc.lnk"
  RMDir "$SMPROGRAMS\scenc"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ; The PATH entry, whether or not it was added; the value goes when it
  ; held nothing else.
  StrCpy $R0 "$INSTDIR\bin"
  Call un.PathWithout
  ReadRegStr $R2 HKCU "Environment" "Path"
  StrCmp $R1 $R2 path_done
  StrCmp $R1 "" 0 +3
    DeleteRegValue HKCU "Environment" "Path"
    Goto +2
  WriteRegExpandStr HKCU "Environment" "Path" $R1
  SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=500
  path_done:
SectionEnd
