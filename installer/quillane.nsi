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
!if "${ARCH}" == "x86"
  Target x86-unicode
  !define PROGRAM_FILES "$PROGRAMFILES32"
  !define REG_VIEW 32
!else if "${ARCH}" == "amd64"
  Target amd64-unicode
  !define PROGRAM_FILES "$PROGRAMFILES64"
  !define REG_VIEW 64
!else
  !error "ARCH must be x86 or amd64, not ${ARCH}"
!endif

!define PUBLISHER "Velmora Software"
!define WINDOW_CLASS "QUILLANE"
!define CMD_EXIT 105
!define SETTINGS_KEY "Software\Velmora Software\Quillane"
!define VENDOR_KEY "Software\Velmora Software"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillane"
; Where a 32-bit program's writes to HKLM land for a user without elevation.
!define VIRTUAL_STORE "Software\Classes\VirtualStore\MACHINE\SOFTWARE"
; Bounded wait for running copies to save their settings and leave: 100 x 100 ms.
!define CLOSE_POLLS 100

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "WinMessages.nsh"

Name "Quillane"
Caption "Quillane Setup ${VERSION}"
UninstallCaption "Quillane Uninstall"
BrandingText "${PUBLISHER}"
OutFile "${OUTFILE}"
InstallDir "${PROGRAM_FILES}\Quillane"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
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

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
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

Function .onInit
  SetRegView ${REG_VIEW}
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetRegView ${REG_VIEW}
  SetShellVarContext all
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

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Quillane"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Quillane.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
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
  DeleteRegValue HKLM "${RUN_KEY}" "Quillane"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  ; The settings outlive an uninstall (a reinstall keeps the chosen translation) unless
  ; the user asks otherwise; a silent uninstall keeps them.
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
