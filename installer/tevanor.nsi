; The installer and the uninstaller "lsb_un20.exe" of Tevanor.
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.0.0.1 -DPROGRAM=path/Tevanor.exe -DICON=path/main.ico
;            -DOUTFILE=path/Tevanor-1.0.0.1-setup.exe tevanor.nsi
; The version comes from the build (the project's version in CMakeLists.txt).
;
; The installer puts Tevanor.exe and the uninstaller into Program Files\Tevanor, starts the
; program at every user's logon, and writes the uninstall entry whose command goes through the
; program's own uninstall path, so that removal asks for the parent's password first. The
; program's data files (the parent's words, sites and history) are never part of the package:
; installing over an installation keeps them, and keeps the profile with the password.
;
; It also asks for the parent's password (twice, at least 4 characters; a silent install takes it
; as /PASSWORD=...) and hands it to the installed program, which stores it, in a form that
; cannot be turned back, for the whole computer: every account without a password of its own
; uses it, so a child's account never asks the child for a new one. Installing again with no
; password typed keeps the stored one.
;
; The uninstaller ends the running copy, then removes the program, the logon start, the
; uninstall entry and the profile key. It asks whether to keep the parent's lists and history;
; the default, and a silent run (/S), keep them.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!ifndef VERSION | PROGRAM | ICON | OUTFILE
  !error "VERSION, PROGRAM, ICON and OUTFILE must be defined"
!endif

!define PRODUCT "Tevanor"
!define MAKER "Orvelda"
!define UNINSTALLER "lsb_un20.exe"
!define UNINSTALL_KEY "SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define RUN_KEY "SOFTWARE\Microsoft\Windows\CurrentVersion\Run"
!define PROFILE_ROOT "Software\${PRODUCT}"
!define PROFILE_KEY "${PROFILE_ROOT}\${PRODUCT}"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
RequestExecutionLevel admin
ShowInstDetails nevershow
ShowUninstDetails nevershow

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "nsDialogs.nsh"
!include "FileFunc.nsh"

!define MINIMUM_PASSWORD 4
Var PasswordField
Var ConfirmField
Var MachinePassword

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\${PRODUCT}.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Iniciar ${PRODUCT} ahora (bienvenida y nueva contraseña)"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
Page custom PasswordPage PasswordPageLeave
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Spanish"

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_SPANISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_SPANISH} "CompanyName" "${MAKER}"
VIAddVersionKey /LANG=${LANG_SPANISH} "FileDescription" "Instalación de ${PRODUCT}"
VIAddVersionKey /LANG=${LANG_SPANISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SPANISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SPANISH} "LegalCopyright" "${MAKER}"

; Ends every running copy of the program, whoever started it, and waits for it to go.
!macro EndRunningCopy
  nsExec::Exec '"$SYSDIR\taskkill.exe" /F /IM ${PRODUCT}.exe'
  Pop $0
!macroend

; Both need administrator rights: they write to Program Files and the machine's registry. The
; manifest asks for them; a run that still lacks them ends at once instead of half installing.
!macro RequireAdministrator what
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "admin"
    MessageBox MB_OK|MB_ICONSTOP "Para ${what} ${PRODUCT} hacen falta derechos de administrador." /SD IDOK
    SetErrorLevel 740
    Quit
  ${EndIf}
!macroend

Function .onInit
  SetRegView 64
  !insertmacro RequireAdministrator "instalar"
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/PASSWORD=" $MachinePassword
  ${If} ${Errors}
    StrCpy $MachinePassword ""
  ${EndIf}
FunctionEnd

; Whether the computer already has the parent's password.
!macro HasMachinePassword result
  ClearErrors
  ReadRegStr ${result} HKLM "${PROFILE_KEY}" "contraseña"
!macroend

Function PasswordPage
  !insertmacro MUI_HEADER_TEXT "Contraseña de los padres" \
    "Protege el panel de ${PRODUCT} en todas las cuentas de este equipo."
  nsDialogs::Create 1018
  Pop $0
  !insertmacro HasMachinePassword $1
  StrCpy $2 "Escriba la contraseña dos veces; debe tener al menos ${MINIMUM_PASSWORD} caracteres."
  ${If} $1 != ""
    StrCpy $2 "$2 Déjela en blanco para conservar la contraseña actual."
  ${EndIf}
  ${NSD_CreateLabel} 0 0 100% 24u "$2"
  Pop $0
  ${NSD_CreateLabel} 0 36u 35% 12u "Contraseña:"
  Pop $0
  ${NSD_CreatePassword} 36% 34u 60% 12u ""
  Pop $PasswordField
  ${NSD_CreateLabel} 0 56u 35% 12u "Confirma contraseña:"
  Pop $0
  ${NSD_CreatePassword} 36% 54u 60% 12u ""
  Pop $ConfirmField
  ${NSD_SetFocus} $PasswordField
  nsDialogs::Show
FunctionEnd

Function PasswordPageLeave
  ${NSD_GetText} $PasswordField $1
  ${NSD_GetText} $ConfirmField $2
  !insertmacro HasMachinePassword $3
  ${If} $1 == ""
  ${AndIf} $2 == ""
  ${AndIf} $3 != ""
    StrCpy $MachinePassword ""
    Return
  ${EndIf}
  ${IfNot} $1 S== $2
    MessageBox MB_OK|MB_ICONEXCLAMATION "¡¡¡La contraseña y su confirmación no coinciden!!!"
    Abort
  ${EndIf}
  StrLen $4 $1
  ${If} $4 < ${MINIMUM_PASSWORD}
    MessageBox MB_OK|MB_ICONEXCLAMATION \
      "¡¡¡Utilice una contraseña mayor o igual a ${MINIMUM_PASSWORD} caracteres!!!"
    Abort
  ${EndIf}
  StrCpy $MachinePassword $1
FunctionEnd

Section "${PRODUCT}"
  ; An existing installation keeps its first-run flag: the welcome is shown only once.
  ClearErrors
  ReadRegStr $1 HKLM "${UNINSTALL_KEY}" "UninstallTemp"
  StrCpy $2 "new"
  ${IfNot} ${Errors}
    StrCpy $2 "update"
  ${EndIf}

  !insertmacro EndRunningCopy
  SetOutPath "$INSTDIR"
  SetOverwrite on
  File "/oname=${PRODUCT}.exe" "${PROGRAM}"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  ; The program's uninstall path: program, blank, "/", directory, "/u". The program copies
  ; UninstallTemp onto UninstallString at every start.
  StrCpy $3 '"$INSTDIR\${PRODUCT}.exe" /$INSTDIR/u'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${MAKER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PRODUCT}.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallTemp" "$3"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" "$3"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegStr HKLM "${RUN_KEY}" "${PRODUCT}" '"$INSTDIR\${PRODUCT}.exe"'

  ; Every account that runs the program writes the lists and the history: the program makes the
  ; data files, kept ones untouched, and gives the Users group modify rights on them alone.
  ExecWait '"$INSTDIR\${PRODUCT}.exe" /DATOS' $0
  ${If} $0 != 0
    MessageBox MB_OK|MB_ICONSTOP "No se pudieron preparar los archivos de datos." /SD IDOK
  ${EndIf}

  ; The program derives and stores the password; it travels in the step's environment, never on
  ; a command line.
  ${If} $MachinePassword != ""
    StrCpy $9 $MachinePassword
    System::Call 'kernel32::SetEnvironmentVariable(t "TEVANOR_CLAVE", t r9)'
    ExecWait '"$INSTDIR\${PRODUCT}.exe" /CLAVEEQUIPO' $0
    System::Call 'kernel32::SetEnvironmentVariable(t "TEVANOR_CLAVE", p 0)'
    StrCpy $9 ""
    ${If} $0 != 0
      MessageBox MB_OK|MB_ICONSTOP "No se pudo guardar la contraseña." /SD IDOK
    ${EndIf}
  ${EndIf}

  ${If} $2 == "new"
    WriteRegDWORD HKCU "${PROFILE_KEY}" "Pr" 1
  ${EndIf}
SectionEnd

Function un.onInit
  SetRegView 64
  !insertmacro RequireAdministrator "desinstalar"
FunctionEnd

Section "Uninstall"
  !insertmacro EndRunningCopy
  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON1 \
    "¿Desea conservar la lista de palabras, la lista de sitios y el historial de ${PRODUCT}?" \
    /SD IDYES IDYES keep
  Delete "$INSTDIR\${PRODUCT}.fil"
  Delete "$INSTDIR\${PRODUCT}.fil.new"
  Delete "$INSTDIR\${PRODUCT}.asw"
  Delete "$INSTDIR\${PRODUCT}.asw.new"
  Delete "$INSTDIR\${PRODUCT}.his"
keep:
  Delete "$INSTDIR\${PRODUCT}.exe"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
  DeleteRegValue HKLM "${RUN_KEY}" "${PRODUCT}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegKey HKCU "${PROFILE_ROOT}"
  DeleteRegKey HKLM "${PROFILE_ROOT}"
  ; The parent has already confirmed with the password and answered the question: nothing is
  ; left to look at, so the window closes itself.
  SetAutoClose true
SectionEnd
