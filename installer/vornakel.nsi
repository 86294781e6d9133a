; The setup of Vornakel: installs for the current user without administrator rights or, when
; chosen (/ALLUSERS when silent), for every user into Program Files, asking for the rights then;
; with a Start menu shortcut and an entry in "Programs and Features". The uninstaller keeps the
; task list unless asked to delete it.
; makensis -DVERSION=1.0.0.0 -DEXE=path\to\vornakel.exe -DOUTFILE=path\to\setup.exe vornakel.nsi
Unicode true
; The program is 64-bit, and so is its setup: it needs no 32-bit subsystem (WOW64).
Target amd64-unicode
!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "nsDialogs.nsh"

!ifndef VERSION | EXE | OUTFILE
  !error "VERSION, EXE and OUTFILE must be given with -D"
!endif

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vornakel"

Name "Vornakel"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Vornakel"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
; Asked for only when installing for every user, by starting the setup again elevated.
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
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartProgram
!define MUI_COMPONENTSPAGE_NODESC

Page custom InstallModePage InstallModePageLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Russian"

LangString NotAnswering ${LANG_RUSSIAN} "Запущенная копия Vornakel не отвечает. Закройте её и нажмите OK."
LangString DeleteTaskList ${LANG_RUSSIAN} "Удалить список заданий"
LangString ModeTitle ${LANG_RUSSIAN} "Для кого установить"
LangString ModeSubtitle ${LANG_RUSSIAN} "Выберите, кто будет пользоваться Vornakel на этом компьютере."
LangString ModeCurrentUser ${LANG_RUSSIAN} "Только для меня (права администратора не нужны)"
LangString ModeAllUsers ${LANG_RUSSIAN} "Для всех пользователей (нужны права администратора)"
LangString NoElevation ${LANG_RUSSIAN} "Без прав администратора Vornakel можно установить только для себя."

; 1: installed (or being installed) for every user: Program Files, the common Start menu and
; the machine's "Programs and Features" entry; otherwise the user's own.
Var AllUsers
; 1: the choice was made before the setup started (/ALLUSERS, an all-users installation).
Var ModeGiven

!macro UseInstallMode
  ${If} $AllUsers == 1
    SetShellVarContext all
  ${Else}
    SetShellVarContext current
  ${EndIf}
!macroend

; Whether this process holds administrator rights (an elevated one, under UAC).
!macro IsElevated result
  UserInfo::GetAccountType
  Pop ${result}
!macroend

; Starts this setup or uninstaller again elevated with `arguments`, waits for it and ends.
; Refused (the user said no), it returns with the error flag set.
!macro RunElevated arguments
  ClearErrors
  ExecShellWait "runas" "$EXEPATH" "${arguments}"
  ${IfNot} ${Errors}
    Quit
  ${EndIf}
!macroend

; A copy running from the folder saves its list and ends (exit code 3: it did not answer).
!macro QuitRunningCopy
  IfFileExists "$INSTDIR\vornakel.exe" 0 +5
    ExecWait '"$INSTDIR\vornakel.exe" /quit' $0
    IntCmp $0 3 0 +3 +3
      MessageBox MB_OK|MB_ICONEXCLAMATION "$(NotAnswering)" /SD IDOK
      ExecWait '"$INSTDIR\vornakel.exe" /quit' $0
!macroend

Function .onInit
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/ALLUSERS" $1
  ${IfNot} ${Errors}
    StrCpy $AllUsers 1
    StrCpy $ModeGiven 1
  ${EndIf}
  ; An earlier all-users installation is updated in its place.
  ReadRegStr $1 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ReadRegStr $2 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $1 != ""
  ${AndIf} $2 == ""
    StrCpy $AllUsers 1
    StrCpy $ModeGiven 1
  ${EndIf}
  ${If} $AllUsers == 1
    ; /D= and the earlier place come before the default.
    ${If} $1 != ""
    ${AndIf} $INSTDIR == "$LOCALAPPDATA\Programs\Vornakel"
      StrCpy $INSTDIR $1
    ${ElseIf} $INSTDIR == "$LOCALAPPDATA\Programs\Vornakel"
      StrCpy $INSTDIR "$PROGRAMFILES64\Vornakel"
    ${EndIf}
    !insertmacro IsElevated $3
    ${If} $3 != "Admin"
    ${AndIf} ${Silent}
      !insertmacro RunElevated "/S /ALLUSERS /D=$INSTDIR"
      SetErrorLevel 5
      Quit
    ${EndIf}
  ${EndIf}
FunctionEnd

Function InstallModePage
  ; Started elevated for every user, or updating an all-users installation: nothing to choose.
  ${If} $ModeGiven == 1
    Abort
  ${EndIf}
  !insertmacro MUI_HEADER_TEXT "$(ModeTitle)" "$(ModeSubtitle)"
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateRadioButton} 0 0 100% 12u "$(ModeCurrentUser)"
  Pop $1
  ${NSD_CreateRadioButton} 0 18u 100% 12u "$(ModeAllUsers)"
  Pop $R9
  ${If} $AllUsers == 1
    ${NSD_Check} $R9
  ${Else}
    ${NSD_Check} $1
  ${EndIf}
  nsDialogs::Show
FunctionEnd

Function InstallModePageLeave
  ${NSD_GetState} $R9 $0
  ${If} $0 != ${BST_CHECKED}
    StrCpy $AllUsers 0
    ${If} $INSTDIR == "$PROGRAMFILES64\Vornakel"
      StrCpy $INSTDIR "$LOCALAPPDATA\Programs\Vornakel"
    ${EndIf}
    Return
  ${EndIf}
  !insertmacro IsElevated $1
  ${If} $1 == "Admin"
    StrCpy $AllUsers 1
    ${If} $INSTDIR == "$LOCALAPPDATA\Programs\Vornakel"
      StrCpy $INSTDIR "$PROGRAMFILES64\Vornakel"
    ${EndIf}
    Return
  ${EndIf}
  !insertmacro RunElevated "/ALLUSERS"
  MessageBox MB_OK|MB_ICONEXCLAMATION "$(NoElevation)"
  Abort
FunctionEnd

; An elevated setup starts the program through the shell, as the user, not as administrator.
Function StartProgram
  ${If} $AllUsers == 1
    Exec '"$WINDIR\explorer.exe" "$INSTDIR\vornakel.exe"'
  ${Else}
    Exec '"$INSTDIR\vornakel.exe"'
  ${EndIf}
FunctionEnd

Section "Vornakel"
  !insertmacro UseInstallMode
  !insertmacro QuitRunningCopy
  SetOutPath "$INSTDIR"
  File "/oname=vornakel.exe" "${EXE}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Vornakel.lnk" "$INSTDIR\vornakel.exe"

  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "Vornakel"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vornakel.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "Vornakel"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Function un.onInit
  ; Installed for every user when the machine's entry names this folder.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR
    StrCpy $AllUsers 1
    !insertmacro IsElevated $1
    ${If} $1 != "Admin"
      ${If} ${Silent}
        !insertmacro RunElevated "/S _?=$INSTDIR"
      ${Else}
        !insertmacro RunElevated "_?=$INSTDIR"
      ${EndIf}
      MessageBox MB_OK|MB_ICONSTOP "$(NoElevation)" /SD IDOK
      SetErrorLevel 5
      Quit
    ${EndIf}
  ${EndIf}
FunctionEnd

Section "-un.Program"
  !insertmacro UseInstallMode
  !insertmacro QuitRunningCopy
  Delete "$INSTDIR\vornakel.exe"
  Delete "$INSTDIR\Data.ini.probe"
  Delete "$SMPROGRAMS\Vornakel.lnk"
  ; The autostart shortcut is the user's own, whichever way the program was installed.
  SetShellVarContext current
  Delete "$SMSTARTUP\vornakel.lnk"
  !insertmacro UseInstallMode
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  Delete "$INSTDIR\uninstall.exe"
SectionEnd

; Off unless ticked, so the silent uninstall keeps the list.
Section /o "un.$(DeleteTaskList)" DeleteTaskListSection
  Delete "$INSTDIR\Data.ini"
  Delete "$INSTDIR\Data.ini.tmp"
  ; Where Program Files cannot be written the program keeps the list in the user's profile.
  ${If} $AllUsers == 1
    SetShellVarContext current
    Delete "$APPDATA\Vornakel\Data.ini"
    Delete "$APPDATA\Vornakel\Data.ini.tmp"
    RMDir "$APPDATA\Vornakel"
  ${EndIf}
SectionEnd

; The folder goes only when nothing is left in it (the kept Data.ini keeps it).
Section "-un.RemoveFolder"
  RMDir "$INSTDIR"
SectionEnd
