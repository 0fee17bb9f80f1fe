; Quillane Setup. One script for both installers, chosen with makensis defines:
;   ARCH     x86 (the shipped installer, 32-bit program) or amd64 (64-bit program)
;   EXE      the Quillane.exe to install
;   STAGE    folder with LICENSE.txt and NOTICE.txt (CR LF text), made by build_installer.sh
;   VERSION  major.minor, e.g. 5.2
;   ICON     the program's icon, shown by the installer and the uninstaller
;   OUTFILE  optional; "Quillane Setup VERSION.exe" in the current folder by default
;   STANDARD_USER  optional, for the tests: behave as for a user who is no administrator,
;                  and take /DesktopAccount=SID for the account of the desktop's user
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
; The program's facts, as its own headers define them: the Exit command, the card's window
; class, the settings key's parts, the Run key and the autostart value's name.
!searchparse /file "${__FILEDIR__}/../resources/resource_ids.h" "#define CMD_EXIT " CMD_EXIT
!searchparse /file "${__FILEDIR__}/../resources/resource_ids.h" '#define QUILLANE_WINDOW_CLASS "' WINDOW_CLASS '"'
!searchparse /file "${__FILEDIR__}/../settings/settings_store.h" '#define SETTINGS_VENDOR "' SETTINGS_VENDOR '"'
!searchparse /file "${__FILEDIR__}/../settings/settings_store.h" '#define SETTINGS_PRODUCT "' SETTINGS_PRODUCT '"'
!searchparse /file "${__FILEDIR__}/../settings/autostart.h" '#define RUN_KEY_PATH "' RUN_KEY_C '"'
!searchreplace RUN_KEY "${RUN_KEY_C}" "\\" "\"
!searchparse /file "${__FILEDIR__}/../settings/autostart.h" '#define AUTOSTART_VALUE_NAME "' RUN_VALUE '"'
!define VENDOR_KEY "Software\${SETTINGS_VENDOR}"
!define SETTINGS_KEY "${VENDOR_KEY}\${SETTINGS_PRODUCT}"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillane"
; Where a 32-bit program's writes to HKLM land for a user without elevation.
!define VIRTUAL_STORE "Software\Classes\VirtualStore\MACHINE\SOFTWARE"
; Bounded wait for running copies to save their settings and leave: 100 x 100 ms.
!define CLOSE_POLLS 100
!define CLOSE_MS 10000
; The installer installs for the current user unless told /AllUsers; /Elevated marks the
; copy started through the elevation prompt, which must not ask again.
!define SWITCH_ALL_USERS "/AllUsers"
!define SWITCH_ELEVATED "/Elevated"
!define SEE_MASK_NOCLOSEPROCESS 0x40
!define ERROR_CANCELLED 1223
!define DRIVE_REMOTE 4
!define TOKEN_QUERY 8
!define TOKEN_USER 1
!define TOKEN_ELEVATION 20
!define PROCESS_QUERY_LIMITED_INFORMATION 0x1000
!define SYNCHRONIZE 0x100000
!define WAIT_TIMEOUT 258
; What the elevated copy tells the first copy, which waited for it, besides success: the
; rest of the work is the first copy's, which runs as the user who started it.
!define ELEVATED_DONE_START 0x5100     ; installed; start the program
!define ELEVATED_FAILED_START 0x5102   ; failed after closing the program; start it again
!define ELEVATED_UNINSTALLED 0x5100    ; uninstalled; bits below tell the rest:
!define ELEVATED_SETTINGS_BIT 1        ;   remove the settings too
!define ELEVATED_REBOOT_BIT 2          ;   a file goes only when Windows restarts
; A per-user install run as the system account (a deployment tool) would land in that
; account's profile, where no user sees it.
!define EXIT_SYSTEM_ACCOUNT 2
; Started under another account than the desktop's user ("Run as administrator" with an
; administrator's password), a per-user install would land in that account's profile.
!define EXIT_OTHER_ACCOUNT 5
; The code deployment tools know as "restart required".
!define EXIT_REBOOT_REQUIRED 3010

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
; A file that cannot be replaced (a copy still running in another session, a program
; holding it open) stops the install before the uninstall entry is touched: Retry or
; Cancel, and a silent install exits non-zero, rather than an upgrade that is none.
AllowSkipFiles off

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
!define MUI_FINISHPAGE_RUN_FUNCTION AskToStart

; The elevated copy goes on where the user left the first one: at the folder.
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipWhenElevated
!insertmacro MUI_PAGE_WELCOME
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipWhenElevated
!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE.txt"
Page custom UsersPage UsersPageLeave
!define MUI_PAGE_CUSTOMFUNCTION_SHOW NoBackWhenElevated
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_PAGE_CUSTOMFUNCTION_SHOW FinishPageShow
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

Var AllUsers      ; 1 when installed, or to be installed, for everyone
Var Elevated      ; 1 in the copy started through the elevation prompt
Var FolderGiven   ; 1 when /D= chose the folder
Var ClosedCard    ; 1 when a running copy was asked to leave
Var StartCard     ; 1 when the program is to be started at the end
Var ElevatedExit  ; the exit code of the elevated copy, once it has ended
Var UserShare     ; what this copy does for the user once the elevated copy has ended
Var OtherAccount  ; 1 when this copy runs as another account than the desktop's user
Var EveryoneInstalled ; 1 when an install for everyone was there when Setup started
Var UsersPage.Me
Var UsersPage.Everyone

; The texts beside the program, listed once: installed from the stage, removed by the
; uninstaller and by the clean-up of a user's own copy (command, folder, name for each).
!macro FOR_EACH_TEXT_FILE command dir
  !insertmacro ${command} "${dir}" "LICENSE.txt"
  !insertmacro ${command} "${dir}" "NOTICE.txt"
!macroend
!macro INSTALL_TEXT_FILE dir name
  File "${STAGE}/${name}"
!macroend
!macro DELETE_TEXT_FILE dir name
  Delete "${dir}\${name}"
!macroend

; Asks every running copy of this desktop to leave through its Exit command, so each saves
; its settings and removes its notification icon, until none is left or the time is up.
; Each round searches from the first window again: a walk on from a window that has
; since closed ends early and misses the copies after it. A copy's window goes before its
; process has saved, shut down and let go of Quillane.exe, so the processes are waited for
; too, in what is left of the same time.
!macro CLOSE_RUNNING_QUILLANE prefix
Function ${prefix}CloseRunningQuillane
  Push $0
  Push $1
  Push $2
  Push $3
  System::Call 'kernel32::GetTickCount() i .r3'
  IntOp $3 $3 + ${CLOSE_MS}
  ; Below this mark, the handles of the processes asked to leave.
  Push "|"
  StrCpy $1 0
  ${Do}
    FindWindow $0 "${WINDOW_CLASS}"
    ${If} $0 == 0
    ${OrIf} $1 >= ${CLOSE_POLLS}
      ${Break}
    ${EndIf}
    StrCpy $ClosedCard 1
    ; Once a second, so that a copy busy saving is not flooded with requests.
    IntOp $2 $1 % 10
    ${If} $2 == 0
      ${Do}
        System::Call "user32::PostMessage(p $0, i ${WM_COMMAND}, p ${CMD_EXIT}, p 0)"
        System::Call "user32::GetWindowThreadProcessId(p $0, *i .r2)"
        System::Call "kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i r2) p .r2"
        ${If} $2 != 0
          Push $2
        ${EndIf}
        FindWindow $0 "${WINDOW_CLASS}" "" 0 $0
      ${LoopUntil} $0 == 0
    ${EndIf}
    Sleep 100
    IntOp $1 $1 + 1
  ${Loop}
  StrCpy $1 $0
  ${Do}
    Pop $0
    ${If} $0 == "|"
      ${Break}
    ${EndIf}
    System::Call 'kernel32::GetTickCount() i .r2'
    IntOp $2 $3 - $2
    ${If} $2 < 0
      StrCpy $2 0
    ${EndIf}
    System::Call 'kernel32::WaitForSingleObject(p r0, i r2) i .r2'
    ${If} $2 = ${WAIT_TIMEOUT}
      StrCpy $1 1
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p r0)'
  ${Loop}
  ${If} $1 != 0
    DetailPrint "Quillane is still running: a copy did not close within 10 seconds."
  ${EndIf}
  Pop $3
  Pop $2
  Pop $1
  Pop $0
FunctionEnd
!macroend
!insertmacro CLOSE_RUNNING_QUILLANE ""
!insertmacro CLOSE_RUNNING_QUILLANE "un."

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

; Starts FILE through the elevation prompt with PARAMS (both on the stack, FILE on top)
; and waits for it. The elevated copy runs as whoever approved it; the user's share of the
; work is then done here, by the function at $UserShare, which also turns the elevated
; copy's exit code ($ElevatedExit) into this copy's, and this copy ends with it. Returns
; only when the elevated copy could not start, with the error on the stack
; (ERROR_CANCELLED when the prompt was declined).
Function ${prefix}RunElevatedThenUserShare
  Exch $0
  Exch
  Exch $1
  Push $2
  Push $3
  System::Call '*(i ${SEI_SIZE}, i ${SEE_MASK_NOCLOSEPROCESS}, p $HWNDPARENT, t "runas", t r0, \
                  t r1, p 0, i ${SW_SHOWNORMAL}, ${SEI_PAD} p 0, p 0, p 0, p 0, i 0, ${SEI_PAD} \
                  p 0, p 0) p .r2'
  System::Call 'shell32::ShellExecuteExW(p r2) i .r3 ?e'
  Pop $0
  ${If} $3 != 0
    System::Call '*$2(i, i, p, p, p, p, p, i, ${SEI_PAD} p, p, p, p, i, ${SEI_PAD} p, p .r3)'
    HideWindow
    System::Call 'kernel32::WaitForSingleObject(p r3, i -1)'
    System::Call 'kernel32::GetExitCodeProcess(p r3, *i .s)'
    Pop $ElevatedExit
    System::Call 'kernel32::CloseHandle(p r3)'
    System::Free $2
    Call $UserShare
    SetErrorLevel $ElevatedExit
    Quit
  ${EndIf}
  System::Free $2
  Pop $3
  Pop $2
  Pop $1
  Exch $0
FunctionEnd

; What a failed elevation (the error on the stack) says to the user, on the stack: a
; declined prompt is no fault, any other error is named.
Function ${prefix}ElevationFailure
  Exch $0
  Push $1
  ${If} $0 = ${ERROR_CANCELLED}
    StrCpy $0 "An administrator's approval is needed, and it was not given."
  ${Else}
    System::Call 'kernel32::FormatMessageW(i 0x1200, p 0, i r0, i 0, w .r1, i 1024, p 0)'
    StrCpy $0 "The administrator's approval could not be asked for (error $0): $1"
  ${EndIf}
  Pop $1
  Exch $0
FunctionEnd

; Whether this copy may write where everyone's programs go: "1" or "0" on the stack.
Function ${prefix}IsAdmin
  UserInfo::GetAccountType
  Exch $0
  ${If} $0 == "Admin"
    StrCpy $0 1
!ifdef STANDARD_USER
    ; The tests' user without administrator rights, where every user has them (Wine):
    ; only the copy started through the elevation prompt counts as an administrator.
    StrCpy $0 $Elevated
!endif
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

; Whether this copy runs as the system account: "1" or "0" on the stack.
Function IsSystemAccount
  Push $0
  Push $1
  Push $2
  StrCpy $0 0
  System::Call 'advapi32::ConvertStringSidToSidW(w "S-1-5-18", *p .r1) i .r2'
  ${If} $2 != 0
    System::Call 'advapi32::CheckTokenMembership(p 0, p r1, *i .r0)'
    System::Call 'kernel32::LocalFree(p r1)'
  ${EndIf}
  Pop $2
  Pop $1
  Exch $0
FunctionEnd

; Whether this copy runs with an administrator's full rights: "1" or "0" on the stack.
Function IsElevatedProcess
  Push $0
  Push $1
  Push $2
  StrCpy $0 0
  System::Call 'kernel32::GetCurrentProcess() p .r1'
  System::Call 'advapi32::OpenProcessToken(p r1, i ${TOKEN_QUERY}, *p .r1) i .r2'
  ${If} $2 != 0
    System::Call 'advapi32::GetTokenInformation(p r1, i ${TOKEN_ELEVATION}, *i .r0, i 4, *i .r2)'
    System::Call 'kernel32::CloseHandle(p r1)'
  ${EndIf}
  Pop $2
  Pop $1
  Exch $0
FunctionEnd

; The account (its SID) that the process with the handle on the stack runs as, on the
; stack; "" when it cannot be read.
Function AccountOfProcess
  Exch $0
  Push $1
  Push $2
  Push $3
  System::Call 'advapi32::OpenProcessToken(p r0, i ${TOKEN_QUERY}, *p .r1) i .r2'
  StrCpy $0 ""
  ${If} $2 != 0
    System::Alloc 256
    Pop $3
    System::Call 'advapi32::GetTokenInformation(p r1, i ${TOKEN_USER}, p r3, i 256, *i .r2) i .r2'
    ${If} $2 != 0
      ; TOKEN_USER starts with the pointer to the SID.
      System::Call '*$3(p .r2)'
      System::Call 'advapi32::ConvertSidToStringSidW(p r2, *p .r2) i .r0'
      ${If} $0 != 0
        System::Call '*$2(&w${NSIS_MAX_STRLEN} .r0)'
        System::Call 'kernel32::LocalFree(p r2)'
      ${Else}
        StrCpy $0 ""
      ${EndIf}
    ${EndIf}
    System::Free $3
    System::Call 'kernel32::CloseHandle(p r1)'
  ${EndIf}
  Pop $3
  Pop $2
  Pop $1
  Exch $0
FunctionEnd

; The account of the desktop's user, the owner of the shell's window, on the stack; ""
; where no shell runs.
Function DesktopAccount
  Push $0
  Push $1
  StrCpy $1 ""
  System::Call 'user32::GetShellWindow() p .r0'
  ${If} $0 != 0
    System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r0)'
    System::Call 'kernel32::OpenProcess(i ${PROCESS_QUERY_LIMITED_INFORMATION}, i 0, i r0) p .r0'
    ${If} $0 != 0
      Push $0
      Call AccountOfProcess
      Pop $1
      System::Call 'kernel32::CloseHandle(p r0)'
    ${EndIf}
  ${EndIf}
!ifdef STANDARD_USER
  ; The tests' desktop of another user: Wine runs every program as the same account.
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/DesktopAccount=" $0
  ${IfNot} ${Errors}
    StrCpy $1 $0
  ${EndIf}
!endif
  Exch
  Pop $0
  Exch $1
FunctionEnd

; Whether Setup, run as the account on top of the stack, runs for another account than the
; desktop's user, below it: "1" or "0" on the stack. A desktop whose user cannot be read
; (no shell) gives no reason to refuse.
Function IsOtherAccount
  Exch $0
  Exch
  Exch $1
  ${If} $0 != ""
  ${AndIf} $1 != ""
  ${AndIf} $0 != $1
    StrCpy $0 1
  ${Else}
    StrCpy $0 0
  ${EndIf}
  Pop $1
  Exch $0
FunctionEnd

; Sets $OtherAccount: 1 when this copy runs as another account than the desktop's user
; ("Run as administrator" with an administrator's password), who would not get a per-user
; install, nor a card started by this copy.
Function ReadOtherAccount
  Push $0
  Call DesktopAccount
  System::Call 'kernel32::GetCurrentProcess() p .r0'
  Push $0
  Call AccountOfProcess
  Call IsOtherAccount
  Pop $OtherAccount
  Pop $0
FunctionEnd

; Starts the program at PATH (on the stack) as the user, never elevated: it would keep
; its settings for every user, and a later installer could not close it. From an
; elevated copy the shell starts it, with the rights the user logged on with.
Function StartQuillane
  Exch $0
  Push $1
  Call IsElevatedProcess
  Pop $1
  ${If} $1 == 1
    Exec '"$WINDIR\explorer.exe" "$0"'
  ${Else}
    Exec '"$0"'
  ${EndIf}
  Pop $1
  Pop $0
FunctionEnd

; Starts again the program that an install which failed had closed: the one still
; installed for everyone, else the user's own.
Function RestartClosedQuillane
  Push $0
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${IfNot} ${FileExists} "$0\Quillane.exe"
    ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${EndIf}
  ${If} ${FileExists} "$0\Quillane.exe"
    Push "$0\Quillane.exe"
    Call StartQuillane
  ${EndIf}
  Pop $0
FunctionEnd

; The program of an install for everyone, at $INSTDIR, replaces this user's own copy: its
; files, Start-menu shortcut and uninstall entry. A Run value that started that copy starts
; the new one: autostart stays on, as Options shows it.
Function RemoveUserCopy
  Push $0
  Push $1
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ReadRegStr $1 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
  ${AndIf} $0 != $1
    Delete "$0\Quillane.exe"
    ${If} ${FileExists} "$0\Quillane.exe"
      ; Still listed, so that it can be removed later.
      DetailPrint "The copy installed for this user only in $0 could not be removed."
    ${Else}
      !insertmacro FOR_EACH_TEXT_FILE DELETE_TEXT_FILE "$0"
      Delete "$0\Uninstall.exe"
      RMDir "$0"
      SetShellVarContext current
      Delete "$SMPROGRAMS\Quillane.lnk"
      ${If} $AllUsers == 1
        SetShellVarContext all
      ${EndIf}
      DeleteRegKey HKCU "${UNINSTALL_KEY}"
      ReadRegStr $1 HKCU "${RUN_KEY}" "${RUN_VALUE}"
      ${If} $1 == '"$0\Quillane.exe"'
      ${OrIf} $1 == "$0\Quillane.exe"
        WriteRegStr HKCU "${RUN_KEY}" "${RUN_VALUE}" '"$INSTDIR\Quillane.exe"'
      ${EndIf}
      DetailPrint "Removed the copy installed for this user only from $0"
    ${EndIf}
  ${EndIf}
  Pop $1
  Pop $0
FunctionEnd

; The install for everyone goes on in a copy started through the elevation prompt with
; the switches on the stack; what it leaves to the user is done here once it has ended,
; and this copy ends with its exit code. Returns only when it could not start, with the
; error on the stack.
Function InstallElevated
  Exch $0
  Push $1
  Push $2
  ; The elevated process may not see a network drive the user mapped: a local copy.
  StrCpy $1 $EXEPATH 3
  System::Call 'kernel32::GetDriveTypeW(w r1) i .r1'
  StrCpy $2 $EXEPATH 2
  ${If} $1 = ${DRIVE_REMOTE}
  ${OrIf} $2 == "\\"
    InitPluginsDir
    CopyFiles /SILENT "$EXEPATH" "$PLUGINSDIR\$EXEFILE"
    StrCpy $1 "$PLUGINSDIR\$EXEFILE"
  ${Else}
    StrCpy $1 $EXEPATH
  ${EndIf}
  Push $0
  Push $1
  GetFunctionAddress $UserShare InstallUserShare
  Call RunElevatedThenUserShare
  Pop $0
  Pop $2
  Pop $1
  Exch $0
FunctionEnd

; After the install for everyone: this user's own copy gives way to it, and the card
; closed for it starts again (or, after a failure, the earlier one).
Function InstallUserShare
  ; This copy too may run as another account than the desktop's user: that user's
  ; part is then left undone.
  ${If} $OtherAccount == 1
    ${If} $ElevatedExit = ${ELEVATED_DONE_START}
      StrCpy $ElevatedExit 0
    ${ElseIf} $ElevatedExit = ${ELEVATED_FAILED_START}
      StrCpy $ElevatedExit 2
    ${EndIf}
  ${EndIf}
  ${If} $ElevatedExit = 0
  ${OrIf} $ElevatedExit = ${ELEVATED_DONE_START}
    ReadRegStr $INSTDIR HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $OtherAccount != 1
      Call RemoveUserCopy
    ${EndIf}
    ${If} $ElevatedExit = ${ELEVATED_DONE_START}
      Push "$INSTDIR\Quillane.exe"
      Call StartQuillane
    ${EndIf}
    StrCpy $ElevatedExit 0
  ${ElseIf} $ElevatedExit = ${ELEVATED_FAILED_START}
    Call RestartClosedQuillane
    StrCpy $ElevatedExit 2
  ${EndIf}
FunctionEnd

; The switches of the elevated copy on the stack: this copy's own, and the folder given
; with /D=, which the installer takes off the command line and which must come last.
Function ElevatedParameters
  Push $0
  ${GetParameters} $0
  StrCpy $0 "${SWITCH_ALL_USERS} ${SWITCH_ELEVATED} $0"
  ${If} $FolderGiven == 1
    StrCpy $0 "$0 /D=$INSTDIR"
  ${EndIf}
  Exch $0
FunctionEnd

Function .onInit
  SetRegView ${REG_VIEW}
  ${If} $INSTDIR != ""
    StrCpy $FolderGiven 1
  ${EndIf}
  Call ReadSwitches
  ; One copy per machine: an install for everyone is upgraded whatever was asked.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
    StrCpy $AllUsers 1
    StrCpy $EveryoneInstalled 1
  ${EndIf}
  ; The elevated copy leaves the user's part to the first copy, which runs as the user.
  ${If} $Elevated != 1
    Call ReadOtherAccount
  ${EndIf}
  ${If} $AllUsers != 1
    Call IsSystemAccount
    Pop $0
    ${If} $0 == 1
      MessageBox MB_OK|MB_ICONSTOP "Quillane Setup runs as the system account, which no user \
        logs on as. Install for everyone with ${SWITCH_ALL_USERS}." /SD IDOK
      SetErrorLevel ${EXIT_SYSTEM_ACCOUNT}
      Quit
    ${EndIf}
    ${If} ${Silent}
    ${AndIf} $OtherAccount == 1
      Call RefuseOtherAccount
      SetErrorLevel ${EXIT_OTHER_ACCOUNT}
      Quit
    ${EndIf}
  ${EndIf}
  Call UseMode
  ; A silent install for everyone asks for elevation at once; an interactive one on the
  ; page where that is chosen.
  ${If} ${Silent}
  ${AndIf} $AllUsers == 1
  ${AndIf} $Elevated != 1
    Call IsAdmin
    Pop $0
    ${If} $0 != 1
      Call ElevatedParameters
      Call InstallElevated
      Pop $0
      SetErrorLevel $0
      Quit
    ${EndIf}
  ${EndIf}
FunctionEnd

; An install just for the user, asked of a copy that runs as another account.
Function RefuseOtherAccount
  MessageBox MB_OK|MB_ICONSTOP "Quillane Setup runs as another account than the one signed in \
    to this desktop, so an install just for you would go to that account instead.$\r$\n$\r$\n\
    To install just for you, start Setup normally; it asks for approval itself. As it runs \
    now, Setup can install for everyone." /SD IDOK
FunctionEnd

; The finish page's box is ticked: started when the install ends.
Function AskToStart
  StrCpy $StartCard 1
FunctionEnd

; A card that the install closed runs again, and so does one asked for on the finish
; page; the elevated copy leaves that to the first one, which runs as the user.
Function .onInstSuccess
  ${If} ${Silent}
    StrCpy $StartCard $ClosedCard
  ${EndIf}
  ${If} $StartCard == 1
    ${If} $Elevated == 1
      SetErrorLevel ${ELEVATED_DONE_START}
    ${ElseIf} $OtherAccount != 1
      Push "$INSTDIR\Quillane.exe"
      Call StartQuillane
    ${EndIf}
  ${EndIf}
FunctionEnd

; A failed or cancelled install leaves the earlier version in place: the cards it closed
; run again, started the same way as after a success.
Function .onInstFailed
  ${If} $ClosedCard == 1
    ${If} $Elevated == 1
      SetErrorLevel ${ELEVATED_FAILED_START}
    ${ElseIf} $OtherAccount != 1
      Call RestartClosedQuillane
    ${EndIf}
  ${EndIf}
FunctionEnd

; Setup run as another account starts no card: it would run as that account.
Function FinishPageShow
  ${If} $OtherAccount == 1
    SendMessage $mui.FinishPage.Run ${BM_SETCHECK} 0 0
    ShowWindow $mui.FinishPage.Run ${SW_HIDE}
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

Function UsersPage
  ${If} $Elevated == 1
    Abort
  ${EndIf}
  !insertmacro MUI_HEADER_TEXT "Choose Users" "Choose who can use Quillane on this computer."
  nsDialogs::Create 1018
  Pop $0
  ; One copy per machine: over an install for everyone, a second one just for this user
  ; would share its settings, and removing them with one would remove the other's.
  ${If} $EveryoneInstalled == 1
    ${NSD_CreateRadioButton} 0 0 100% 12u "Install for &everyone who uses this computer"
    Pop $UsersPage.Everyone
    ${NSD_CreateLabel} 12u 14u -12u 30u "Quillane is installed for everyone on this computer, \
      and Setup upgrades that install. An administrator must approve this."
    Pop $0
    ${NSD_Check} $UsersPage.Everyone
  ${Else}
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
  ${EndIf}
  ${NSD_OnClick} $UsersPage.Everyone UsersPageShield
  Push $UsersPage.Everyone
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
  ${If} $AllUsers != 1
  ${AndIf} $OtherAccount == 1
    Call RefuseOtherAccount
    Abort
  ${EndIf}
  GetDlgItem $1 $HWNDPARENT 1
  SendMessage $1 ${BCM_SETSHIELD} 0 0
  ${If} $AllUsers == 1
    Call IsAdmin
    Pop $0
    ${If} $0 != 1
      Call ElevatedParameters
      Call InstallElevated
      Call ElevationFailure
      Pop $0
      MessageBox MB_OK|MB_ICONEXCLAMATION "$0$\r$\n$\r$\nTry again, or install just for you."
      Abort
    ${EndIf}
  ${EndIf}
FunctionEnd

; Removes the Run values, the user's and the machine's, that start the program at PATH
; (on the stack): the program writes "PATH", earlier versions wrote it bare. Another
; copy's entry stays.
Function un.DeleteRunValuesOf
  Exch $0
  Push $1
  ReadRegStr $1 HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ${If} $1 == '"$0"'
  ${OrIf} $1 == $0
    DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ${EndIf}
  ReadRegStr $1 HKLM "${RUN_KEY}" "${RUN_VALUE}"
  ${If} $1 == '"$0"'
  ${OrIf} $1 == $0
    DeleteRegValue HKLM "${RUN_KEY}" "${RUN_VALUE}"
  ${EndIf}
  Pop $1
  Pop $0
FunctionEnd

; The settings copy that the program's writes to the machine's key became for this user.
Function un.DeleteUserSettings
  DeleteRegKey HKCU "${VIRTUAL_STORE}\WOW6432Node\${SETTINGS_VENDOR}\${SETTINGS_PRODUCT}"
  DeleteRegKey /ifempty HKCU "${VIRTUAL_STORE}\WOW6432Node\${SETTINGS_VENDOR}"
  DeleteRegKey HKCU "${VIRTUAL_STORE}\${SETTINGS_VENDOR}\${SETTINGS_PRODUCT}"
  DeleteRegKey /ifempty HKCU "${VIRTUAL_STORE}\${SETTINGS_VENDOR}"
FunctionEnd

; After the uninstall for everyone, which ran as whoever approved it: this user's own Run
; value and settings copy are this copy's to remove.
Function un.UninstallUserShare
  IntOp $1 $ElevatedExit - ${ELEVATED_UNINSTALLED}
  ${If} $ElevatedExit = 0
    StrCpy $1 0
  ${EndIf}
  ; Done, with none, either or both of the two bits.
  ${If} $1 >= 0
  ${AndIf} $1 <= 3
    Push "$INSTDIR\Quillane.exe"
    Call un.DeleteRunValuesOf
    IntOp $0 $1 & ${ELEVATED_SETTINGS_BIT}
    ${If} $0 != 0
      Call un.DeleteUserSettings
    ${EndIf}
    StrCpy $ElevatedExit 0
    IntOp $0 $1 & ${ELEVATED_REBOOT_BIT}
    ${If} $0 != 0
    ${AndIf} ${Silent}
      StrCpy $ElevatedExit ${EXIT_REBOOT_REQUIRED}
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
      ; This copy already runs from the temporary folder; the elevated one runs from the
      ; same file in place, so that it can be waited for.
      StrCpy $0 "${SWITCH_ELEVATED}"
      ${If} ${Silent}
        StrCpy $0 "/S $0"
      ${EndIf}
      Push "$0 _?=$INSTDIR"
      Push $EXEPATH
      GetFunctionAddress $UserShare un.UninstallUserShare
      Call un.RunElevatedThenUserShare
      ; It could not start: the error is the exit code, and is put into words.
      Pop $0
      Push $0
      Call un.ElevationFailure
      Pop $1
      MessageBox MB_OK|MB_ICONEXCLAMATION "Quillane was not removed. $1" /SD IDOK
      SetErrorLevel $0
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
  !insertmacro FOR_EACH_TEXT_FILE INSTALL_TEXT_FILE "$INSTDIR"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Quillane.lnk" "$INSTDIR\Quillane.exe" "" "$INSTDIR\Quillane.exe" 0
  ${If} $AllUsers == 1
    ; The program writes no Run value for the machine: one there is an earlier version's,
    ; and would start this one for every user.
    DeleteRegValue HKLM "${RUN_KEY}" "${RUN_VALUE}"
    ; The elevated copy may run as another user; the first copy removes its user's own.
    ${If} $OtherAccount == 1
      DetailPrint "Setup runs as another account than the desktop's user: a copy that user \
        installed just for themselves stays, until Setup started by that user replaces it."
    ${ElseIf} $Elevated != 1
      Call RemoveUserCopy
    ${EndIf}
  ${EndIf}
  ${If} $OtherAccount == 1
    DetailPrint "Quillane is not started: it would run as the account Setup runs as. \
      Start it from the Start menu."
  ${EndIf}

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
  !insertmacro FOR_EACH_TEXT_FILE DELETE_TEXT_FILE "$INSTDIR"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir /REBOOTOK "$INSTDIR"
  Delete "$SMPROGRAMS\Quillane.lnk"

  Push "$INSTDIR\Quillane.exe"
  Call un.DeleteRunValuesOf
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"

  ; The settings outlive an uninstall (a reinstall keeps the chosen translation) unless
  ; the user asks otherwise; a silent uninstall keeps them. They are the same for either
  ; mode: the machine's key, which only an administrator may delete, and this user's
  ; redirected copy of it.
  ; What the first copy, which waits for an elevated one, is to know: bits of $1.
  StrCpy $1 0
  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
    "Also remove Quillane's settings (the chosen translation and the time of the daily verse)?" \
    /SD IDNO IDNO keep_settings
    DeleteRegKey HKLM "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKLM "${VENDOR_KEY}"
    Call un.DeleteUserSettings
    StrCpy $1 ${ELEVATED_SETTINGS_BIT}
  keep_settings:

  ; Quillane.exe still in use (a copy in another session, a program holding it open) is
  ; removed at the next restart: said so, and a silent uninstall tells it by its exit code.
  ${If} ${RebootFlag}
    IntOp $1 $1 | ${ELEVATED_REBOOT_BIT}
    DetailPrint "Quillane.exe is in use. It is removed when Windows restarts."
    MessageBox MB_OK|MB_ICONINFORMATION "Quillane.exe is still in use, so it is removed when \
      Windows restarts." /SD IDOK
  ${EndIf}
  ${If} $Elevated == 1
    ${If} $1 != 0
      IntOp $1 $1 | ${ELEVATED_UNINSTALLED}
      SetErrorLevel $1
    ${EndIf}
  ${ElseIf} ${Silent}
  ${AndIf} ${RebootFlag}
    SetErrorLevel ${EXIT_REBOOT_REQUIRED}
  ${EndIf}
SectionEnd
