; The Windows installer, built on Debian by scripts/package-windows.sh from an installed build:
;   makensis -DSOURCE=DIR -DSTAGE=DIR -DLISTS=DIR -DOUTFILE=FILE installer.nsi
; SOURCE is the project's folder; STAGE holds the installed build; LISTS the lists made from it: version.nsh, programs.nsh (the
; programs a player gets), files.nsh (what to install) and unfiles.nsh (what to remove again).
; The uninstaller removes exactly the files the installer put down, and the folders when empty.
Unicode true
Target amd64-unicode
!include "MUI2.nsh"
!include "${LISTS}\version.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillmere"

Name "Quillmere ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Quillmere"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "Quillmere"
VIAddVersionKey /LANG=1033 "FileDescription" "Quillmere ${VERSION} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (c) 2026 The Quillmere developers, MIT License"

!define MUI_ICON "${SOURCE}/packaging/icons/quillmere.ico"
!define MUI_UNICON "${MUI_ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\Quillmere.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Russian"
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  SetRegView 64
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

!macro PlayerProgram FILE NAME
  CreateShortCut "$SMPROGRAMS\Quillmere\${NAME}.lnk" "$INSTDIR\${FILE}"
!macroend

Section "Quillmere"
  !include "${LISTS}\files.nsh"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninst.exe"
  SetShellVarContext all
  CreateDirectory "$SMPROGRAMS\Quillmere"
  !include "${LISTS}\programs.nsh"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Quillmere"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The Quillmere developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Quillmere.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninst.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninst.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

!macroundef PlayerProgram
!macro PlayerProgram FILE NAME
  Delete "$SMPROGRAMS\Quillmere\${NAME}.lnk"
!macroend

; The player's own files in %APPDATA%\Quillmere are the player's: they stay.
Section "Uninstall"
  SetShellVarContext all
  !include "${LISTS}\programs.nsh"
  RMDir "$SMPROGRAMS\Quillmere"
  !include "${LISTS}\unfiles.nsh"
  Delete "$INSTDIR\uninst.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
