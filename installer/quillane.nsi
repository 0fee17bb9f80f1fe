; Quillane Setup. One script for both installers, chosen with makensis defines:
;   ARCH     x86 (the shipped installer, 32-bit program) or amd64 (64-bit program)
;   EXE      the Quillane.exe to install
;   STAGE    folder with LICENSE.txt and NOTICE.txt (CR LF text), made by build_installer.sh
;   VERSION  major.minor, e.g. 5.2
;   ICON     the program's icon, shown by the installer and the uninstaller
;   OUTFILE  optional; "Quillane Setup VERSION.exe" in the current folder by default
; installer/build_installer.sh supplies all of them.

!ifndef ARCH | EXE | STAGE | VERSION | ICON
  !error "Define ARCH, EXE, STAGE, VERSION and ICON (installer/build_installer.sh does)"
!endif
!ifndef OUTFILE
  !define OUTFILE "Quillane Setup ${VERSION}.exe"
!endif

; The program keeps its settings in its own registry view and program folder, so the
; installer works in the same ones: a 32-bit program's are the 32-bit view and folder.
; SHELLEXECUTEINFO is laid out by hand: the System plug-in does not pad its members.
!if "${ARCH}" == "x86"
  Target x86-unicode
  !define PROGRAM_FILES "$PROGRAMFILES32"
  !define REG_VIEW 32
  !define SEI_SIZE 60
  !define SEI_PAD ""
!else if "${ARCH}" == "amd64"
  Target amd64-unicode
  !define PROGRAM_FILES "$PROGRAMFILES64"
  !define REG_VIEW 64
  !define SEI_SIZE 112
  !define SEI_PAD "i 0,"
!else
  !error "ARCH must be x86 or amd64, not ${ARCH}"
!endif

!define PUBLISHER "Velmora Software"
!define WINDOW_CLASS "QUILLANE"
; CMD_EXIT, the program's Exit command, as the program's own header defines it.
!searchparse /file "${__FILEDIR__}/../resources/resource_ids.h" "#define CMD_EXIT " CMD_EXIT
!define SETTINGS_KEY "Software\Velmora Software\Quillane"
!define VENDOR_KEY "Software\Velmora Software"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillane"
; Where a 32-bit program's writes to HKLM land for a user without elevation.
!define VIRTUAL_STORE "Software\Classes\VirtualStore\MACHINE\SOFTWARE"
; Bounded wait for running copies to save their settings and leave: 100 x 100 ms.
!define CLOSE_POLLS 100
; The installer installs for the current user unless told /AllUsers; /Elevated marks the
; copy started through the elevation prompt, which must not ask again.
!define SWITCH_ALL_USERS "/AllUsers"
!define SWITCH_ELEVATED "/Elevated"
!define SEE_MASK_NOCLOSEPROCESS 0x40
!define ERROR_ELEVATION_REQUIRED 740

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "WinMessages.nsh"
!include "nsDialogs.nsh"

Name "Quillane"
Caption "Quillane Setup ${VERSION}"
UninstallCaption "Quillane Uninstall"
BrandingText "${PUBLISHER}"
OutFile "${OUTFILE}"
; Nothing is asked at start: an install for the current user needs no administrator, and
; only the choice of everyone starts an elevated copy. "highest" would prompt every
; administrator at start and put their own copy in place with elevated rights.
RequestExecutionLevel user
SetCompressor /SOLID lzma
ManifestDPIAware true
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1033 "ProductName" "Quillane"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "Quillane Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (c) 2026 ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\Quillane.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Quillane now"

; The elevated copy goes on where the user left the first one: at the folder.
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipWhenElevated
!insertmacro MUI_PAGE_WELCOME
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipWhenElevated
!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE.txt"
Page custom UsersPage UsersPageLeave
!define MUI_PAGE_CUSTOMFUNCTION_SHOW NoBackWhenElevated
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_PAGE_CUSTOMFUNCTION_SHOW NoStartWhenElevated
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; Asks every running copy to leave through its Exit command, so each saves its settings
; and removes its notification icon, then waits a bounded time until none is left.
!macro CLOSE_RUNNING_QUILLANE prefix
Function ${prefix}CloseRunningQuillane
  Push $0
  Push $1
  StrCpy $0 0
  ${Do}
    FindWindow $0 "${WINDOW_CLASS}" "" 0 $0
    ${If} $0 == 0
      ${Break}
    ${EndIf}
    System::Call "user32::PostMessage(p $0, i ${WM_COMMAND}, p ${CMD_EXIT}, p 0)"
  ${Loop}
  StrCpy $1 0
  ${Do}
    FindWindow $0 "${WINDOW_CLASS}"
    ${If} $0 == 0
    ${OrIf} $1 >= ${CLOSE_POLLS}
      ${Break}
    ${EndIf}
    Sleep 100
    IntOp $1 $1 + 1
  ${Loop}
  ${If} $0 != 0
    DetailPrint "Quillane is still running; files in use are replaced at the next restart."
  ${EndIf}
  Pop $1
  Pop $0
FunctionEnd
!macroend
!insertmacro CLOSE_RUNNING_QUILLANE ""
!insertmacro CLOSE_RUNNING_QUILLANE "un."

Var AllUsers      ; 1 when installed, or to be installed, for everyone
Var Elevated      ; 1 in the copy started through the elevation prompt
Var FolderGiven   ; 1 when /D= chose the folder
Var UsersPage.Me
Var UsersPage.Everyone

!macro MODE_FUNCTIONS prefix
; Reads the switches that this copy was started with.
Function ${prefix}ReadSwitches
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "${SWITCH_ALL_USERS}" $1
  ${IfNot} ${Errors}
    StrCpy $AllUsers 1
  ${EndIf}
  ClearErrors
  ${GetOptions} $0 "${SWITCH_ELEVATED}" $1
  ${IfNot} ${Errors}
    StrCpy $Elevated 1
  ${EndIf}
FunctionEnd

; Starts FILE through the elevation prompt with PARAMS (both on the stack, FILE on top),
; waits for it and leaves with its exit code; returns only when the prompt was declined
; or failed.
Function ${prefix}RunElevated
  Exch $0
  Exch
  Exch $1
  Push $2
  Push $3
  System::Call '*(i ${SEI_SIZE}, i ${SEE_MASK_NOCLOSEPROCESS}, p $HWNDPARENT, t "runas", t r0, \
                  t r1, p 0, i ${SW_SHOWNORMAL}, ${SEI_PAD} p 0, p 0, p 0, p 0, i 0, ${SEI_PAD} \
                  p 0, p 0) p .r2'
  System::Call 'shell32::ShellExecuteExW(p r2) i .r3'
  ${If} $3 != 0
    System::Call '*$2(i, i, p, p, p, p, p, i, ${SEI_PAD} p, p, p, p, i, ${SEI_PAD} p, p .r3)'
    HideWindow
    System::Call 'kernel32::WaitForSingleObject(p r3, i -1)'
    System::Call 'kernel32::GetExitCodeProcess(p r3, *i .r0)'
    System::Call 'kernel32::CloseHandle(p r3)'
    System::Free $2
    SetErrorLevel $0
    Quit
  ${EndIf}
  System::Free $2
  Pop $3
  Pop $2
  Pop $1
  Pop $0
FunctionEnd

; Whether this copy may write where everyone's programs go: "1" or "0" on the stack.
Function ${prefix}IsAdmin
  UserInfo::GetAccountType
  Exch $0
  ${If} $0 == "Admin"
    StrCpy $0 1
  ${Else}
    StrCpy $0 0
  ${EndIf}
  Exch $0
FunctionEnd
!macroend
!insertmacro MODE_FUNCTIONS ""
!insertmacro MODE_FUNCTIONS "un."

; The Start menu, program folder and uninstall entry of the chosen users; a folder chosen
; with /D= stays, otherwise that of an earlier install for the same users.
Function UseMode
  ${If} $AllUsers == 1
    SetShellVarContext all
    StrCpy $0 "${PROGRAM_FILES}\Quillane"
  ${Else}
    SetShellVarContext current
    StrCpy $0 "$LOCALAPPDATA\Programs\Quillane"
  ${EndIf}
  ${If} $FolderGiven != 1
    ReadRegStr $INSTDIR SHCTX "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $INSTDIR == ""
      StrCpy $INSTDIR $0
    ${EndIf}
  ${EndIf}
FunctionEnd

Function .onInit
  SetRegView ${REG_VIEW}
  ${If} $INSTDIR != ""
    StrCpy $FolderGiven 1
  ${EndIf}
  Call ReadSwitches
  Call UseMode
  ; A silent install for everyone asks for elevation at once; an interactive one on the
  ; page where that is chosen.
  ${If} ${Silent}
  ${AndIf} $AllUsers == 1
  ${AndIf} $Elevated != 1
    Call IsAdmin
    Pop $0
    ${If} $0 != 1
      ${GetParameters} $0
      Push "${SWITCH_ELEVATED} $0"
      Push $EXEPATH
      Call RunElevated
      SetErrorLevel ${ERROR_ELEVATION_REQUIRED}
      Quit
    ${EndIf}
  ${EndIf}
FunctionEnd

Function SkipWhenElevated
  ${If} $Elevated == 1
    Abort
  ${EndIf}
FunctionEnd

; Going back would leave the elevated copy with nowhere to go: every earlier page was the
; first copy's.
Function NoBackWhenElevated
  ${If} $Elevated == 1
    GetDlgItem $0 $HWNDPARENT 3
    EnableWindow $0 0
  ${EndIf}
FunctionEnd

; Started from the elevated copy, the program would run as the administrator who approved
; it, keep its settings for every user and start at that administrator's logon.
Function NoStartWhenElevated
  ${If} $Elevated == 1
    ${NSD_Uncheck} $mui.FinishPage.Run
    ShowWindow $mui.FinishPage.Run ${SW_HIDE}
  ${EndIf}
FunctionEnd

Function UsersPage
  ${If} $Elevated == 1
    Abort
  ${EndIf}
  !insertmacro MUI_HEADER_TEXT "Choose Users" "Choose who can use Quillane on this computer."
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateRadioButton} 0 0 100% 12u "Install just for &me"
  Pop $UsersPage.Me
  ${NSD_CreateLabel} 12u 14u -12u 20u \
    "Quillane goes into your own folder and Start menu. No administrator rights are needed."
  Pop $0
  ${NSD_CreateRadioButton} 0 44u 100% 12u "Install for &everyone who uses this computer"
  Pop $UsersPage.Everyone
  ${NSD_CreateLabel} 12u 58u -12u 20u \
    "Quillane goes into the Program Files folder. An administrator must approve this."
  Pop $0
  ${If} $AllUsers == 1
    ${NSD_Check} $UsersPage.Everyone
  ${Else}
    ${NSD_Check} $UsersPage.Me
  ${EndIf}
  ${NSD_OnClick} $UsersPage.Me UsersPageShield
  ${NSD_OnClick} $UsersPage.Everyone UsersPageShield
  Push $UsersPage.Me
  Call UsersPageShield
  nsDialogs::Show
FunctionEnd

; Next carries the shield while going on needs an administrator's approval.
Function UsersPageShield
  Pop $0 ; the clicked control
  ${NSD_GetState} $UsersPage.Everyone $0
  Call IsAdmin
  Pop $1
  ${If} $1 == 1
    StrCpy $0 0
  ${EndIf}
  GetDlgItem $1 $HWNDPARENT 1
  SendMessage $1 ${BCM_SETSHIELD} 0 $0
FunctionEnd

Function UsersPageLeave
  ${NSD_GetState} $UsersPage.Everyone $AllUsers
  Call UseMode
  GetDlgItem $1 $HWNDPARENT 1
  SendMessage $1 ${BCM_SETSHIELD} 0 0
  ${If} $AllUsers == 1
    Call IsAdmin
    Pop $0
    ${If} $0 != 1
      ${GetParameters} $0
      Push "${SWITCH_ALL_USERS} ${SWITCH_ELEVATED} $0"
      Push $EXEPATH
      Call RunElevated
      MessageBox MB_OK|MB_ICONEXCLAMATION \
        "Installing for everyone needs an administrator's approval. Try again, or install just for you."
      Abort
    ${EndIf}
  ${EndIf}
FunctionEnd

; The uninstaller removes what it was installed with: for everyone when the machine's
; uninstall entry names its folder, otherwise for the current user.
Function un.onInit
  SetRegView ${REG_VIEW}
  Call un.ReadSwitches
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR
    StrCpy $AllUsers 1
    SetShellVarContext all
    Call un.IsAdmin
    Pop $0
    ${If} $0 != 1
    ${AndIf} $Elevated != 1
      StrCpy $0 "${SWITCH_ELEVATED}"
      ${If} ${Silent}
        StrCpy $0 "/S $0"
      ${EndIf}
      Push $0
      Push "$INSTDIR\Uninstall.exe"
      Call un.RunElevated
      MessageBox MB_OK|MB_ICONEXCLAMATION \
        "Removing Quillane for everyone needs an administrator's approval." /SD IDOK
      SetErrorLevel ${ERROR_ELEVATION_REQUIRED}
      Quit
    ${EndIf}
  ${Else}
    StrCpy $AllUsers 0
    SetShellVarContext current
  ${EndIf}
FunctionEnd

Section "Quillane"
  SectionIn RO
  Call CloseRunningQuillane
  SetOutPath "$INSTDIR"
  File /oname=Quillane.exe "${EXE}"
  File "${STAGE}/LICENSE.txt"
  File "${STAGE}/NOTICE.txt"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Quillane.lnk" "$INSTDIR\Quillane.exe" "" "$INSTDIR\Quillane.exe" 0

  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "Quillane"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Quillane.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  ; The program writes its Run value as it leaves, so it must be gone before that is removed.
  Call un.CloseRunningQuillane
  Delete /REBOOTOK "$INSTDIR\Quillane.exe"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\NOTICE.txt"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir /REBOOTOK "$INSTDIR"
  Delete "$SMPROGRAMS\Quillane.lnk"

  DeleteRegValue HKCU "${RUN_KEY}" "Quillane"
  ${If} $AllUsers == 1
    ; Earlier versions started the program for every user from the machine's Run key.
    DeleteRegValue HKLM "${RUN_KEY}" "Quillane"
  ${EndIf}
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"

  ; The settings outlive an uninstall (a reinstall keeps the chosen translation) unless
  ; the user asks otherwise; a silent uninstall keeps them. They are the same for either
  ; mode: the machine's key, which only an administrator may delete, and this user's
  ; redirected copy of it.
  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
    "Also remove Quillane's settings (the chosen translation and the time of the daily verse)?" \
    /SD IDNO IDNO keep_settings
    DeleteRegKey HKLM "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKLM "${VENDOR_KEY}"
    DeleteRegKey HKCU "${VIRTUAL_STORE}\WOW6432Node\Velmora Software\Quillane"
    DeleteRegKey /ifempty HKCU "${VIRTUAL_STORE}\WOW6432Node\Velmora Software"
    DeleteRegKey HKCU "${VIRTUAL_STORE}\Velmora Software\Quillane"
    DeleteRegKey /ifempty HKCU "${VIRTUAL_STORE}\Velmora Software"
  keep_settings:
SectionEnd
