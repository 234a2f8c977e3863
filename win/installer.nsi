; The Windows installer of Mensora, made by scripts/package-windows with NSIS:
;   makensis -DVERSION=3.8.0 -DWIN64_EXE=... -DWIN32_EXE=... -DICON=... -DOUTFILE=... installer.nsi
; It puts the one mensora.exe that fits the machine (64-bit where Windows is 64-bit) into
; Program Files\Mensora, adds a Start-menu entry and an uninstaller, and registers the
; uninstaller with Windows. Settings (the registry) and autosaves (%APPDATA%\Mensora, since
; Program Files is not writable) belong to the user and stay when Mensora is removed.
; The installer is 32-bit, so that it runs on both; the tests run it in a 64-bit and in a
; 32-bit Wine prefix.
Unicode true
!include x64.nsh
!include LogicLib.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Mensora"

Name "Mensora ${VERSION}"
OutFile "${OUTFILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
InstallDir "$PROGRAMFILES\Mensora"
RequestExecutionLevel admin
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Mensora"
VIAddVersionKey "FileDescription" "Mensora ${VERSION} installer"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Mensora developers"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Function .onInit
  ${If} ${RunningX64}
    SetRegView 64
    StrCpy $INSTDIR "$PROGRAMFILES64\Mensora"
  ${EndIf}
FunctionEnd

Function un.onInit
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
FunctionEnd

Section "Mensora"
  SetOutPath "$INSTDIR"
  ${If} ${RunningX64}
    File "/oname=mensora.exe" "${WIN64_EXE}"
  ${Else}
    File "/oname=mensora.exe" "${WIN32_EXE}"
  ${EndIf}
  WriteUninstaller "$INSTDIR\uninstall.exe"

  SetShellVarContext all
  CreateDirectory "$SMPROGRAMS\Mensora"
  CreateShortcut "$SMPROGRAMS\Mensora\Mensora.lnk" "$INSTDIR\mensora.exe"
  CreateShortcut "$SMPROGRAMS\Mensora\Uninstall Mensora.lnk" "$INSTDIR\uninstall.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Mensora"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Mensora developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\mensora.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Delete "$INSTDIR\mensora.exe"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  SetShellVarContext all
  Delete "$SMPROGRAMS\Mensora\Mensora.lnk"
  Delete "$SMPROGRAMS\Mensora\Uninstall Mensora.lnk"
  RMDir "$SMPROGRAMS\Mensora"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
