; The Windows installer of ZORIKAN: installs for all users into Program Files\ZORIKAN, puts ZORIKAN into
; the Start menu (and, when chosen, on the desktop), registers the program in Windows' list of installed
; apps, and leaves an uninstaller that removes all of this and never the user's data folder
; (%APPDATA%\zorikan). A 64-bit installer, in Russian. scripts/package-windows passes:
;   VERSION   the program's version          SOURCE   the runnable folder to install
;   OUTFILE   the installer to write         FILES    an include with one File line per file
;   UNFILES   an include that deletes exactly those files and their folders
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "FileFunc.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\ZORIKAN"

Name "ZORIKAN"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\ZORIKAN"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "ZORIKAN ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1049 "ProductName" "ZORIKAN"
VIAddVersionKey /LANG=1049 "FileDescription" "Установка тренажёра для глаз ZORIKAN"
VIAddVersionKey /LANG=1049 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "CompanyName" "ZORIKAN"
VIAddVersionKey /LANG=1049 "LegalCopyright" "© разработчики ZORIKAN"

!define MUI_ICON "${SOURCE}\zorikan.ico"
!define MUI_UNICON "${SOURCE}\zorikan.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\zorikan.exe"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Russian"

; Installing over an earlier version replaces its files in place; the user's data is elsewhere.
Section "ZORIKAN" SectionProgram
  SectionIn RO
  SetShellVarContext all
  !include "${FILES}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\ZORIKAN.lnk" "$INSTDIR\zorikan.exe" "" "$INSTDIR\zorikan.ico" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "ZORIKAN"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "ZORIKAN"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\zorikan.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Ярлык на рабочем столе" SectionDesktop
  SetShellVarContext all
  CreateShortcut "$DESKTOP\ZORIKAN.lnk" "$INSTDIR\zorikan.exe" "" "$INSTDIR\zorikan.ico" 0
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionProgram} "Программа, её файл цифр и инструкция; ярлык в меню «Пуск»."
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionDesktop} "Ярлык ZORIKAN на рабочем столе."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; Removes what the installer put there: the files of the list, the shortcuts and the registry entry.
; The data folder %APPDATA%\zorikan (parameters and the history of results) stays.
Section "Uninstall"
  SetShellVarContext all
  !include "${UNFILES}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\ZORIKAN.lnk"
  Delete "$DESKTOP\ZORIKAN.lnk"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
