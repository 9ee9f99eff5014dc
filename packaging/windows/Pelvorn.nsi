; Installer of Pelvorn for the current user, without administrator rights:
; the program in %LOCALAPPDATA%\Programs\Pelvorn, a Start-menu entry, and an
; uninstaller that "Apps" lists (registered under HKCU).
; Built by cmake/WindowsPackaging.cmake:
;   makensis -DBITS=64 -DVERSION=1.0.3 -DVERSION4=1.0.0.3 -DCOPYRIGHT=... -DEXE=...
;            -DREADME=... -DLICENCE=... -DICON=... -DOUTFILE=... Pelvorn.nsi
; BITS=64: a 64-bit installer for the 64-bit program; BITS=32: a 32-bit one
; for the 32-bit program. Both refuse Windows older than 7 SP1, the 64-bit
; one can only start on 64-bit Windows.
!if ${BITS} == 64
  Target amd64-unicode
!else
  Target x86-unicode
!endif
!include "MUI2.nsh"
!include "WinVer.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Pelvorn"

Name "Pelvorn ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Pelvorn"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel user
SetCompressor /SOLID lzma

VIProductVersion "${VERSION4}"
VIAddVersionKey /LANG=1031 "ProductName" "Pelvorn"
VIAddVersionKey /LANG=1031 "FileDescription" "Pelvorn ${VERSION} Installation"
VIAddVersionKey /LANG=1031 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "LegalCopyright" "${COPYRIGHT}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!insertmacro MUI_PAGE_LICENSE "${LICENCE}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "German"

!define TOO_OLD 'MessageBox MB_OK|MB_ICONSTOP "Pelvorn braucht Windows 7 mit Service Pack 1 oder neuer." /SD IDOK'
Function .onInit
  ${IfNot} ${AtLeastWin7}
    ${TOO_OLD}
    Abort
  ${ElseIf} ${IsWin7}
  ${AndIfNot} ${AtLeastServicePack} 1
    ${TOO_OLD}
    Abort
  ${EndIf}
FunctionEnd

Section "Pelvorn"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "/oname=Pelvorn.exe" "${EXE}"
  File "/oname=README.md" "${README}"
  File "/oname=LIZENZ.txt" "${LICENCE}"
  WriteUninstaller "$INSTDIR\Deinstallieren.exe"
  CreateShortCut "$SMPROGRAMS\Pelvorn.lnk" "$INSTDIR\Pelvorn.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Pelvorn"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Pelvorn.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Deinstallieren.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Deinstallieren.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  Delete "$SMPROGRAMS\Pelvorn.lnk"
  Delete "$INSTDIR\Pelvorn.exe"
  Delete "$INSTDIR\README.md"
  Delete "$INSTDIR\LIZENZ.txt"
  Delete "$INSTDIR\Deinstallieren.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
