; Vantrel's installer. Per user by default: Vantrel keeps its settings beside itself, so it goes
; into a folder the user can write, with no administrator rights asked.
;   makensis -INPUTCHARSET UTF8 -DVERSION=2.2 -DVERSION_QUAD=2.2.0.0 -DSTAGE=DIR -DOUTFILE=FILE
;            [-DTARGET=amd64-unicode] vantrel.nsi
; STAGE holds x64/Vantrel.exe, x86/Vantrel.exe, lang.ini, README.txt, LISEZMOI.txt, LICENSE.txt.
; Silent: setup.exe /S [/AUTOSTART] [/D=FOLDER]; Uninstall.exe /S [/REMOVESETTINGS].
; Users add languages to lang.ini: one they changed is never overwritten nor deleted. An upgrade
; moves it to lang-user.ini (lang-user-2.ini, ... when that is taken) before putting the new one
; in place; the uninstaller leaves it unless the settings go too.

!ifndef TARGET
  !define TARGET x86-unicode
!endif
Target ${TARGET}

!include MUI2.nsh
!include LogicLib.nsh
!include Sections.nsh
!include FileFunc.nsh
!include x64.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantrel"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"

Name "Vantrel ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Vantrel"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel user
SetCompressor /SOLID lzma
BrandingText "Vantrel ${VERSION}"

!define MUI_ICON "${STAGE}/vantrel.ico"
!define MUI_UNICON "${STAGE}/vantrel.ico"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\Vantrel.exe"
!define MUI_FINISHPAGE_RUN_NOTCHECKED

!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is the one for users whose language is neither.
!insertmacro MUI_LANGUAGE "French"
!insertmacro MUI_LANGUAGE "English"

LangString NameProgram ${LANG_FRENCH} "Vantrel et un raccourci dans le menu Démarrer"
LangString NameProgram ${LANG_ENGLISH} "Vantrel and a Start-menu shortcut"
LangString NameAutostart ${LANG_FRENCH} "Démarrer Vantrel avec Windows"
LangString NameAutostart ${LANG_ENGLISH} "Start Vantrel with Windows"
LangString NameSettings ${LANG_FRENCH} "Supprimer aussi mes réglages (Vantrel.ini) et mes langues (lang.ini modifié)"
LangString NameSettings ${LANG_ENGLISH} "Also remove my settings (Vantrel.ini) and my languages (a changed lang.ini)"
LangString Running ${LANG_FRENCH} "Vantrel est ouvert. Quittez-le (menu de son icône, Quitter), puis cliquez sur Réessayer."
LangString Running ${LANG_ENGLISH} "Vantrel is running. Quit it (its tray icon's menu, Quit), then click Retry."

VIProductVersion "${VERSION_QUAD}"
VIAddVersionKey /LANG=${LANG_FRENCH} "ProductName" "Vantrel"
VIAddVersionKey /LANG=${LANG_FRENCH} "CompanyName" "Korvane"
VIAddVersionKey /LANG=${LANG_FRENCH} "FileDescription" "Installation de Vantrel"
VIAddVersionKey /LANG=${LANG_FRENCH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_FRENCH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_FRENCH} "LegalCopyright" "© 2002-2026 Korvane"

; Files are replaced only once the running copy has gone.
!macro QuitVantrelFirst
  retry:
  FindWindow $R0 "TMainForm" "Vantrel"
  ${If} $R0 <> 0
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(Running)" /SD IDCANCEL IDRETRY retry
    Abort
  ${EndIf}
!macroend

; $R9 = lang.ini's size and modification time, "SIZE:HIGH:LOW", or empty when there is none. The
; value recorded after installing it tells the file as installed from one the user changed.
!macro LangIniStampFunction PREFIX
  Function ${PREFIX}LangIniStamp
    StrCpy $R9 ""
    ClearErrors
    GetFileTime "$INSTDIR\lang.ini" $R7 $R8
    IfErrors done
    FileOpen $R6 "$INSTDIR\lang.ini" r
    IfErrors done
    FileSeek $R6 0 END $R5
    FileClose $R6
    StrCpy $R9 "$R5:$R7:$R8"
    done:
  FunctionEnd
!macroend
!insertmacro LangIniStampFunction ""
!insertmacro LangIniStampFunction "un."

; A lang.ini that is not the one the last installation put there is the user's: it moves aside.
Function KeepChangedLangIni
  IfFileExists "$INSTDIR\lang.ini" 0 done
  Call LangIniStamp
  ReadRegStr $R6 HKCU "${UNINSTALL_KEY}" "LangIniStamp"
  StrCmp $R9 $R6 done
  StrCpy $R5 "lang-user.ini"
  StrCpy $R4 1
  taken:
  IfFileExists "$INSTDIR\$R5" 0 free
  IntOp $R4 $R4 + 1
  StrCpy $R5 "lang-user-$R4.ini"
  Goto taken
  free:
  Rename "$INSTDIR\lang.ini" "$INSTDIR\$R5"
  done:
FunctionEnd

Section "$(NameProgram)" SEC_PROGRAM
  SectionIn RO
  SetOutPath "$INSTDIR"
  ${If} ${RunningX64}
    File "/oname=Vantrel.exe" "${STAGE}/x64/Vantrel.exe"
  ${Else}
    File "/oname=Vantrel.exe" "${STAGE}/x86/Vantrel.exe"
  ${EndIf}
  Call KeepChangedLangIni
  File "${STAGE}/lang.ini"
  File "${STAGE}/README.txt"
  File "${STAGE}/LISEZMOI.txt"
  File "${STAGE}/LICENSE.txt"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Vantrel.lnk" "$INSTDIR\Vantrel.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Vantrel"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Korvane"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Vantrel.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  Call LangIniStamp
  WriteRegStr HKCU "${UNINSTALL_KEY}" "LangIniStamp" $R9
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section /o "$(NameAutostart)" SEC_AUTOSTART
  WriteRegStr HKCU "${RUN_KEY}" "Vantrel" '"$INSTDIR\Vantrel.exe"'
SectionEnd

; An installation over an older one takes the choice made this time.
Section "-autostart off"
  ${IfNot} ${SectionIsSelected} ${SEC_AUTOSTART}
    DeleteRegValue HKCU "${RUN_KEY}" "Vantrel"
  ${EndIf}
SectionEnd

Function .onInit
  !insertmacro QuitVantrelFirst
  ${GetParameters} $R1
  ClearErrors
  ${GetOptions} $R1 "/AUTOSTART" $R2
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SEC_AUTOSTART}
  ${Else}
    ; Offered as the last installation left it.
    ReadRegStr $R2 HKCU "${RUN_KEY}" "Vantrel"
    ${If} $R2 != ""
      !insertmacro SelectSection ${SEC_AUTOSTART}
    ${EndIf}
  ${EndIf}
FunctionEnd

Section "un.$(NameProgram)" UNSEC_PROGRAM
  SectionIn RO
  Delete "$INSTDIR\Vantrel.exe"
  Call un.LangIniStamp
  ReadRegStr $R6 HKCU "${UNINSTALL_KEY}" "LangIniStamp"
  ${If} $R9 == $R6
    Delete "$INSTDIR\lang.ini"
  ${EndIf}
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LISEZMOI.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\Uninstall.exe"
  Delete "$SMPROGRAMS\Vantrel.lnk"
  DeleteRegValue HKCU "${RUN_KEY}" "Vantrel"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

Section /o "un.$(NameSettings)" UNSEC_SETTINGS
  Delete "$INSTDIR\Vantrel.ini"
  Delete "$INSTDIR\Vantrel.ini.tmp"
  Delete "$INSTDIR\lang.ini"
  Delete "$INSTDIR\lang-user*.ini"
SectionEnd

; Only an empty folder goes: the settings stay unless the user asked otherwise.
Section "-un.folder"
  RMDir "$INSTDIR"
SectionEnd

Function un.onInit
  !insertmacro QuitVantrelFirst
  ${GetParameters} $R1
  ClearErrors
  ${GetOptions} $R1 "/REMOVESETTINGS" $R2
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${UNSEC_SETTINGS}
  ${EndIf}
FunctionEnd
