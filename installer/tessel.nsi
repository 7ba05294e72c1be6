; Tessel's setup program, built on Linux by scripts/package with makensis:
;   makensis -DVERSION=1.0 -DFILE_VERSION=1.0.0.0 -DSTAGE32=<folder> -DSTAGE64=<folder> \
;            -DICON=<program.ico> -DOUTFILE=<setup.exe> installer/tessel.nsi
; STAGE32 holds the 32-bit build (tessel.exe, hmg.dll, help), STAGE64 the 64-bit one
; (the same with its 32-bit hook host, hookhost32.exe, and hook library, hmg32.dll).
; The set that matches Windows is installed: the 64-bit one on 64-bit Windows.
;
; An administrator installs for all users, in Program Files: an administrator's Tessel
; runs elevated and loads its hook library into elevated programs, so only
; administrators may be able to change its files. A standard user installs for
; themselves. In silent mode (/S) it takes these switches:
;   /CurrentUser, /AllUsers   where to install; refused when the user may not install
;                             there (exit code 5) or, for /CurrentUser, is an
;                             administrator (exit code 2)
;   /StartAtLogon             start Tessel at log-on (the wizard offers it, checked):
;                             for all users a scheduled task that runs it with the
;                             highest rights each user has (Windows does not start
;                             elevated programs from the Run key), for one user the
;                             Run value
; The uninstaller keeps the user's settings and layouts unless asked to remove them,
; in its wizard or with /RemoveUserData.

Unicode true
ManifestDPIAware true
SetCompressor /SOLID lzma

!define PRODUCT "Tessel"
!define PUBLISHER "Velbrook"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tessel"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define LOGON_TASK "Tessel"
!define SETTINGS_KEY "Software\Velbrook\Tessel"
!define EXIT_COMMAND 32774          ; the main window's Exit command
!define EXIT_WAIT_MS 5000

Name "${PRODUCT}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"
VIProductVersion "${FILE_VERSION}"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_INSTDIR "${PRODUCT}"
; Program Files itself on 64-bit Windows, not the folder for 32-bit programs.
!define MULTIUSER_USE_PROGRAMFILES64
; The scope follows the user's rights alone; a new version goes where the last one of
; that scope was.
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!include MultiUser.nsh
!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh
!include WinMessages.nsh
!include WinVer.nsh
!include x64.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Start Tessel now"
!define MUI_FINISHPAGE_RUN_FUNCTION StartTessel
!define MUI_FINISHPAGE_REBOOTLATER_DEFAULT
!define MUI_FINISHPAGE_TEXT_REBOOT \
  "Tessel is installed.$\r$\n$\r$\nAnother program still had one of Tessel's old hook libraries (hmg.dll, hmg32.dll) loaded. Windows removes that old copy when the computer restarts; until then it stays in the Tessel folder."

!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES
; Shown only when something is left for the restart; otherwise the wizard closes.
!define MUI_FINISHPAGE_REBOOTLATER_DEFAULT
!define MUI_FINISHPAGE_TEXT_REBOOT \
  "Tessel is removed, but another program still has one of its hook libraries (hmg.dll, hmg32.dll) loaded. Windows deletes it, and the Tessel folder, when the computer restarts."
!define MUI_PAGE_CUSTOMFUNCTION_PRE un.SkipFinishUnlessRestart
!insertmacro MUI_UNPAGE_FINISH

!insertmacro MUI_LANGUAGE "English"

!macro FREE_LIBRARY NAME
  System::Call 'kernel32::GetModuleHandleW(w "${NAME}") p .r2'
  ${If} $2 P<> 0
    System::Call 'kernel32::FreeLibrary(p r2)'
  ${EndIf}
!macroend

; Asks a running Tessel to exit through its own Exit command, so it saves its
; settings and gives every window back, and waits until its process has ended (its
; files are free then). Offers to try again; fails the (un)installation otherwise.
!macro STOP_TESSEL UN
Function ${UN}StopTessel
  retry:
  FindWindow $0 "TesselClass" "Tessel"
  ${If} $0 == 0
    Return
  ${EndIf}
  DetailPrint "Closing the running Tessel..."
  System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r1)'
  System::Call 'kernel32::OpenProcess(i 0x00100000, i 0, i r1) p .r2'  ; SYNCHRONIZE
  System::Call 'user32::PostMessageW(p r0, i ${WM_COMMAND}, p ${EXIT_COMMAND}, p 0)'
  ${If} $2 P<> 0
    System::Call 'kernel32::WaitForSingleObject(p r2, i ${EXIT_WAIT_MS}) i .r3'
    System::Call 'kernel32::CloseHandle(p r2)'
  ${Else}
    ; Not allowed to wait on its process: wait for its window to go instead.
    StrCpy $3 ${EXIT_WAIT_MS}
    ${Do}
      FindWindow $0 "TesselClass" "Tessel"
      ${If} $0 == 0
      ${OrIf} $3 <= 0
        ${Break}
      ${EndIf}
      Sleep 100
      IntOp $3 $3 - 100
    ${Loop}
    StrCpy $3 $0
  ${EndIf}
  ${If} $3 != 0
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "Tessel is still running and did not exit when asked.$\r$\n$\r$\nExit it from its icon in the notification area, then click Retry." \
      /SD IDCANCEL IDRETRY retry
    DetailPrint "Tessel is still running."
    SetErrorLevel 2
    Abort "Tessel is still running."
  ${EndIf}
  ; Its hooks reached this process too while it ran and loaded a hook library here (on
  ; 64-bit Windows the host's, hmg32.dll); they are gone with it, so nothing calls into
  ; the library any more.
  !insertmacro FREE_LIBRARY "hmg.dll"
  !insertmacro FREE_LIBRARY "hmg32.dll"
FunctionEnd
!macroend
!insertmacro STOP_TESSEL ""
!insertmacro STOP_TESSEL "un."

; Programs that had a hook library loaded let it go when they next handle a message,
; and the hook host ends just after the program: prompt them all, and retry for a
; moment. Deletes the file named in $R0; sets the error flag if it is still there.
!macro DELETE_IN_USE UN
Function ${UN}DeleteInUse
  StrCpy $1 0
  ${DoUntil} $1 >= 30
    Delete "$INSTDIR\$R0"
    ${IfNot} ${FileExists} "$INSTDIR\$R0"
      ClearErrors
      Return
    ${EndIf}
    System::Call 'user32::SendMessageTimeoutW(p 0xffff, i 0, p 0, p 0, i 2, i 500, *p .r0)'  ; WM_NULL to all
    Sleep 100
    IntOp $1 $1 + 1
  ${Loop}
  SetErrors
FunctionEnd
!macroend
!insertmacro DELETE_IN_USE ""
!insertmacro DELETE_IN_USE "un."

; A file still in use after that can be renamed but not replaced: the old copy goes
; at the next restart.
!macro MOVE_ASIDE_IF_IN_USE NAME
  StrCpy $R0 "${NAME}"
  Call DeleteInUse
  ${If} ${Errors}
    Delete "$INSTDIR\${NAME}.old"
    Rename "$INSTDIR\${NAME}" "$INSTDIR\${NAME}.old"
    Delete /REBOOTOK "$INSTDIR\${NAME}.old"
  ${EndIf}
!macroend

Section "Tessel" SecProgram
  SectionIn RO
  Call StopTessel
  SetOutPath "$INSTDIR"
  ${If} $MultiUser.InstallMode == "AllUsers"
    Call RemoveOwnCopy
    Call RemoveThirtyTwoBitCopy
  ${EndIf}
  !insertmacro MOVE_ASIDE_IF_IN_USE "hmg.dll"
  ${If} ${RunningX64}
    !insertmacro MOVE_ASIDE_IF_IN_USE "hmg32.dll"
    !insertmacro MOVE_ASIDE_IF_IN_USE "hookhost32.exe"
    File "${STAGE64}/tessel.exe"
    File "${STAGE64}/hmg.dll"
    File "${STAGE64}/hookhost32.exe"
    File "${STAGE64}/hmg32.dll"
    File /r "${STAGE64}/help"
  ${Else}
    File "${STAGE32}/tessel.exe"
    File "${STAGE32}/hmg.dll"
    File /r "${STAGE32}/help"
  ${EndIf}
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ExecWait '"$INSTDIR\tessel.exe" -s' $0
  ${If} $0 != 0
    DetailPrint "The set-up run of tessel.exe ended with code $0."
  ${EndIf}

  CreateShortcut "$SMPROGRAMS\Tessel.lnk" "$INSTDIR\tessel.exe"

  ; SHCTX is HKCU or HKLM, as the scope chosen.
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tessel.exe"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Start Tessel when I log on" SecLogon
SectionEnd

; Runs after the choice above, whatever it was: an installation over an earlier one
; takes back a log-on start that is no longer wanted. An earlier version started an
; all-users copy from the machine's Run key; that goes either way.
Section "-StartAtLogon"
  ${If} $MultiUser.InstallMode == "AllUsers"
    DeleteRegValue HKLM "${RUN_KEY}" "Tessel"
    Call DeleteLogonTask
    ${If} ${SectionIsSelected} ${SecLogon}
      Call RegisterLogonTask
    ${EndIf}
  ${ElseIf} ${SectionIsSelected} ${SecLogon}
    WriteRegStr HKCU "${RUN_KEY}" "Tessel" '"$INSTDIR\tessel.exe"'
  ${Else}
    DeleteRegValue HKCU "${RUN_KEY}" "Tessel"
  ${EndIf}
SectionEnd

Function .onInit
  ${GetParameters} $0
  UserInfo::GetAccountType
  Pop $2
  ${If} ${Silent}
    ; Refused here rather than with a message box nobody is there to answer.
    ClearErrors
    ${GetOptions} $0 "/AllUsers" $1
    ${IfNot} ${Errors}
    ${AndIf} $2 != "Admin"
    ${AndIf} $2 != "Power"
      SetErrorLevel 5  ; access denied
      Quit
    ${EndIf}
  ${EndIf}
  ClearErrors
  ${GetOptions} $0 "/CurrentUser" $1
  ${IfNot} ${Errors}
  ${AndIf} $2 == "Admin"
    MessageBox MB_OK|MB_ICONSTOP \
      "Tessel runs with administrator rights for an administrator, so it must be installed for all users, in Program Files, where only administrators can change it.$\r$\n$\r$\nRun the setup program again without /CurrentUser." \
      /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
  ; A 64-bit program's entries belong in the registry's 64-bit view.
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
  !insertmacro MULTIUSER_INIT
  ; Unattended installations start Tessel at log-on only when told to.
  ${If} ${Silent}
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/StartAtLogon" $1
    ${If} ${Errors}
      !insertmacro UnselectSection ${SecLogon}
    ${EndIf}
  ${EndIf}
FunctionEnd

; The log-on task: at every user's log-on, with the highest rights that user has.
; Task Scheduler 2 (Windows Vista on) takes it as XML in UTF-16; earlier systems have no
; elevation, and the machine's Run key serves.
Function RegisterLogonTask
  ${IfNot} ${AtLeastWinVista}
    WriteRegStr HKLM "${RUN_KEY}" "Tessel" '"$INSTDIR\tessel.exe"'
    Return
  ${EndIf}
  InitPluginsDir
  FileOpen $0 "$PLUGINSDIR\logon-task.xml" w
  FileWriteWord $0 0xFEFF
  FileWriteUTF16LE $0 '<?xml version="1.0" encoding="UTF-16"?>$\r$\n'
  FileWriteUTF16LE $0 '<Task version="1.2" xmlns="http://schemas.microsoft.com/windows/2004/02/mit/task">$\r$\n'
  FileWriteUTF16LE $0 '  <RegistrationInfo><Author>${PUBLISHER}</Author>$\r$\n'
  FileWriteUTF16LE $0 '    <Description>Starts Tessel when a user logs on.</Description></RegistrationInfo>$\r$\n'
  FileWriteUTF16LE $0 '  <Triggers><LogonTrigger><Enabled>true</Enabled></LogonTrigger></Triggers>$\r$\n'
  ; Builtin Users: everyone who logs on; administrators get their elevated rights.
  FileWriteUTF16LE $0 '  <Principals><Principal id="Users"><GroupId>S-1-5-32-545</GroupId>$\r$\n'
  FileWriteUTF16LE $0 '    <RunLevel>HighestAvailable</RunLevel></Principal></Principals>$\r$\n'
  ; No time limit, on battery too, at the priority of a program the user starts.
  FileWriteUTF16LE $0 '  <Settings><MultipleInstancesPolicy>IgnoreNew</MultipleInstancesPolicy>$\r$\n'
  FileWriteUTF16LE $0 '    <DisallowStartIfOnBatteries>false</DisallowStartIfOnBatteries>$\r$\n'
  FileWriteUTF16LE $0 '    <StopIfGoingOnBatteries>false</StopIfGoingOnBatteries>$\r$\n'
  FileWriteUTF16LE $0 '    <ExecutionTimeLimit>PT0S</ExecutionTimeLimit><Priority>4</Priority></Settings>$\r$\n'
  FileWriteUTF16LE $0 '  <Actions Context="Users"><Exec><Command>"$INSTDIR\tessel.exe"</Command></Exec></Actions>$\r$\n'
  FileWriteUTF16LE $0 '</Task>$\r$\n'
  FileClose $0
  nsExec::ExecToLog '"$SYSDIR\schtasks.exe" /Create /TN "${LOGON_TASK}" /XML "$PLUGINSDIR\logon-task.xml" /F'
  Pop $0
  ${If} $0 != 0
    MessageBox MB_OK|MB_ICONEXCLAMATION \
      "Tessel could not be set to start at log-on: the Task Scheduler refused its task (code $0).$\r$\n$\r$\nStart Tessel from the Start menu instead." \
      /SD IDOK
    DetailPrint "The log-on task could not be registered (code $0)."
  ${EndIf}
FunctionEnd

!macro DELETE_LOGON_TASK UN
Function ${UN}DeleteLogonTask
  ${If} ${AtLeastWinVista}
    nsExec::Exec '"$SYSDIR\schtasks.exe" /Delete /TN "${LOGON_TASK}" /F'
    Pop $0  ; none there is fine
  ${EndIf}
FunctionEnd
!macroend
!insertmacro DELETE_LOGON_TASK ""
!insertmacro DELETE_LOGON_TASK "un."

; An administrator's own earlier copy, from when administrators could install for
; themselves: its files could be changed by the user's unelevated programs, so it is
; uninstalled, keeping the user's settings and layouts.
Function RemoveOwnCopy
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  Call UninstallCopy
FunctionEnd

; On 64-bit Windows, an earlier installation of the 32-bit set: in the 32-bit Program
; Files, with its entries in the registry's 32-bit view. It is uninstalled the same way,
; so one Tessel is left, and its entry goes whichever uninstaller it had.
Function RemoveThirtyTwoBitCopy
  ${IfNot} ${RunningX64}
    Return
  ${EndIf}
  SetRegView 32
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
  ${AndIf} $0 != $INSTDIR
    Call UninstallCopy
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ${EndIf}
  SetRegView 64
FunctionEnd

; Uninstalls the copy of Tessel in the folder named in $0, if there is one.
Function UninstallCopy
  ${If} $0 == ""
  ${OrIf} $0 == $INSTDIR
  ${OrIfNot} ${FileExists} "$0\uninstall.exe"
    Return
  ${EndIf}
  DetailPrint "Removing the copy of Tessel in $0..."
  ExecWait '"$0\uninstall.exe" /S _?=$0' $1
  Delete "$0\uninstall.exe"
  RMDir "$0"
FunctionEnd

; Started through the shell, so it runs as the user even when the setup program
; itself was elevated.
Function StartTessel
  Exec '"$WINDIR\explorer.exe" "$INSTDIR\tessel.exe"'
FunctionEnd


; A file in use until the restart goes then.
Function un.DeleteNowOrAtRestart
  Call un.DeleteInUse
  ${If} ${Errors}
    Delete /REBOOTOK "$INSTDIR\$R0"
  ${EndIf}
FunctionEnd

!macro UN_DELETE_IN_USE NAME
  StrCpy $R0 "${NAME}"
  Call un.DeleteNowOrAtRestart
  StrCpy $R0 "${NAME}.old"
  Call un.DeleteNowOrAtRestart
!macroend

Section "un.Tessel" SecUnProgram
  SectionIn RO
  Call un.StopTessel
  Delete "$INSTDIR\tessel.exe"
  ; Whichever set is there: an earlier installation may have been of the other one.
  !insertmacro UN_DELETE_IN_USE "hmg.dll"
  !insertmacro UN_DELETE_IN_USE "hmg32.dll"
  !insertmacro UN_DELETE_IN_USE "hookhost32.exe"
  RMDir /r "$INSTDIR\help"
  Delete "$INSTDIR\uninstall.exe"
  RMDir /REBOOTOK "$INSTDIR"           ; only if nothing of the user's is left in it
  Delete "$SMPROGRAMS\Tessel.lnk"
  DeleteRegValue SHCTX "${RUN_KEY}" "Tessel"
  ${If} $MultiUser.InstallMode == "AllUsers"
    Call un.DeleteLogonTask
  ${EndIf}
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  IfRebootFlag 0 +2
    DetailPrint "The hook library is still loaded by another program: it goes when the computer restarts."
SectionEnd

; The settings and the automatic layout belong to the user who runs the uninstaller,
; whichever scope Tessel was installed in. Layouts saved elsewhere stay.
Section /o "un.Remove my settings and my last session's layout (layout files I saved stay)" SecUnUserData
  SetShellVarContext current
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "Software\Velbrook"
  RMDir /r "$APPDATA\Velbrook\Tessel"
  RMDir "$APPDATA\Velbrook"
SectionEnd

Function un.SkipFinishUnlessRestart
  IfRebootFlag +2
    Abort
FunctionEnd

Function un.onInit
  ; The folder of the copy being removed (the uninstaller's own, or _?=), before the
  ; scope functions set it from the registry.
  StrCpy $R9 $INSTDIR
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
  !insertmacro MULTIUSER_UNINIT
  ; That copy decides the scope, not the user's privileges.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $R9
    Call un.MultiUser.InstallMode.AllUsers
  ${Else}
    Call un.MultiUser.InstallMode.CurrentUser
  ${EndIf}
  StrCpy $INSTDIR $R9
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/RemoveUserData" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecUnUserData}
  ${EndIf}
FunctionEnd
