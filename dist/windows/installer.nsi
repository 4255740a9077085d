; The Windows installer: the program's folder (as in the zip) under Program Files, a Start menu
; entry, and an uninstaller that removes what was installed. makensis gets VERSION, SOURCE (the
; program's folder) and OUTFILE from scripts/windows/package.sh.
Target amd64-unicode
!include "MUI2.nsh"
!include "x64.nsh"

Name "Pitwright ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Pitwright"
InstallDirRegKey HKLM "Software\Pitwright" "InstallDir"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
!define MUI_ICON "${SOURCE}\pitwright.ico"
!define MUI_UNICON "${SOURCE}\pitwright.ico"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Pitwright"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
    SetRegView 64
FunctionEnd

Function un.onInit
    SetRegView 64
FunctionEnd

Section "Pitwright"
    SetOutPath "$INSTDIR"
    File /r "${SOURCE}\*.*"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    SetShellVarContext all
    CreateShortcut "$SMPROGRAMS\Pitwright.lnk" "$INSTDIR\pitwright.exe"
    WriteRegStr HKLM "Software\Pitwright" "InstallDir" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Pitwright"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Pitwright developers"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\pitwright.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    SetShellVarContext all
    Delete "$SMPROGRAMS\Pitwright.lnk"
    ; Only what the installer put there: the file list comes from package.sh.
    !include "${FILELIST}"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    DeleteRegKey HKLM "Software\Pitwright"
SectionEnd
