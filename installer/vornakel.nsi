; The setup of Vornakel: installs for the current user without administrator rights, with a
; Start menu shortcut and an entry in "Programs and Features"; the uninstaller keeps the task
; list unless asked to delete it.
; makensis -DVERSION=1.0.0.0 -DEXE=path\to\vornakel.exe -DOUTFILE=path\to\setup.exe vornakel.nsi
Unicode true
; The program is 64-bit, and so is its setup: it needs no 32-bit subsystem (WOW64).
Target amd64-unicode
!include "MUI2.nsh"
!include "FileFunc.nsh"

!ifndef VERSION | EXE | OUTFILE
  !error "VERSION, EXE and OUTFILE must be given with -D"
!endif

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vornakel"

Name "Vornakel"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Vornakel"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel user
SetCompressor /SOLID lzma
BrandingText "Vornakel ${VERSION}"
VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=1049 "ProductName" "Vornakel"
VIAddVersionKey /LANG=1049 "FileDescription" "Установка Vornakel"
VIAddVersionKey /LANG=1049 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "LegalCopyright" "Vornakel"

!define MUI_ICON "../res/vornakel.ico"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\vornakel.exe"
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Russian"

LangString NotAnswering ${LANG_RUSSIAN} "Запущенная копия Vornakel не отвечает. Закройте её и нажмите OK."
LangString DeleteTaskList ${LANG_RUSSIAN} "Удалить список заданий"

; A copy running from the folder saves its list and ends (exit code 3: it did not answer).
!macro QuitRunningCopy
  IfFileExists "$INSTDIR\vornakel.exe" 0 +5
    ExecWait '"$INSTDIR\vornakel.exe" /quit' $0
    IntCmp $0 3 0 +3 +3
      MessageBox MB_OK|MB_ICONEXCLAMATION "$(NotAnswering)" /SD IDOK
      ExecWait '"$INSTDIR\vornakel.exe" /quit' $0
!macroend

Section "Vornakel"
  SetShellVarContext current
  !insertmacro QuitRunningCopy
  SetOutPath "$INSTDIR"
  File "/oname=vornakel.exe" "${EXE}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Vornakel.lnk" "$INSTDIR\vornakel.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Vornakel"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vornakel.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Vornakel"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "-un.Program"
  SetShellVarContext current
  !insertmacro QuitRunningCopy
  Delete "$INSTDIR\vornakel.exe"
  Delete "$INSTDIR\Data.ini.probe"
  Delete "$SMPROGRAMS\Vornakel.lnk"
  Delete "$SMSTARTUP\vornakel.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  Delete "$INSTDIR\uninstall.exe"
SectionEnd

; Off unless ticked, so the silent uninstall keeps the list.
Section /o "un.$(DeleteTaskList)" DeleteTaskListSection
  Delete "$INSTDIR\Data.ini"
  Delete "$INSTDIR\Data.ini.tmp"
SectionEnd

; The folder goes only when nothing is left in it (the kept Data.ini keeps it).
Section "-un.RemoveFolder"
  RMDir "$INSTDIR"
SectionEnd
