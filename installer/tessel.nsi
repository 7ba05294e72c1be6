; Tessel's setup program, built on Linux by scripts/package with makensis:
;   makensis -DVERSION=1.0 -DFILE_VERSION=1.0.0.0 -DSTAGE=<folder with tessel.exe, hmg.dll, help> \
;            -DICON=<program.ico> -DOUTFILE=<setup.exe> installer/tessel.nsi
;
; Installs for the current user (the default) or for all users, and in silent mode
; (/S) takes these switches:
;   /CurrentUser, /AllUsers   where to install (all users needs an administrator)
;   /StartAtLogon             start Tessel at log-on (the wizard offers it, checked)
; The uninstaller keeps the user's settings and layouts unless asked to remove them,
; in its wizard or with /RemoveUserData.

Unicode true
SetCompressor /SOLID lzma

!define PRODUCT "Tessel"
!define PUBLISHER "Velbrook"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tessel"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
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
!define MULTIUSER_INSTALLMODE_DEFAULT_CURRENTUSER
!define MULTIUSER_INSTALLMODE_INSTDIR "${PRODUCT}"
; A new version goes where the last one was, in the same scope.
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!include MultiUser.nsh
!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh
!include WinMessages.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Start Tessel now"
!define MUI_FINISHPAGE_RUN_FUNCTION StartTessel

!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

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
  ; Its hooks reached this process too while it ran and loaded the hook library here;
  ; they are gone with it, so nothing calls into the library any more.
  System::Call 'kernel32::GetModuleHandleW(w "hmg.dll") p .r2'
  ${If} $2 P<> 0
    System::Call 'kernel32::FreeLibrary(p r2)'
  ${EndIf}
FunctionEnd
!macroend
!insertmacro STOP_TESSEL ""
!insertmacro STOP_TESSEL "un."

Section "Tessel" SecProgram
  SectionIn RO
  Call StopTessel
  SetOutPath "$INSTDIR"
  ; Other programs may still hold the old hook library loaded; a loaded file can be
  ; renamed but not replaced, and the old copy goes at the next restart.
  ${If} ${FileExists} "$INSTDIR\hmg.dll"
    Delete "$INSTDIR\hmg.dll"
    ${If} ${FileExists} "$INSTDIR\hmg.dll"
      Delete "$INSTDIR\hmg.dll.old"
      Rename "$INSTDIR\hmg.dll" "$INSTDIR\hmg.dll.old"
      Delete /REBOOTOK "$INSTDIR\hmg.dll.old"
    ${EndIf}
  ${EndIf}
  File "${STAGE}/tessel.exe"
  File "${STAGE}/hmg.dll"
  File /r "${STAGE}/help"
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
; takes back a log-on start that is no longer wanted.
Section "-StartAtLogon"
  ${If} ${SectionIsSelected} ${SecLogon}
    WriteRegStr SHCTX "${RUN_KEY}" "Tessel" '"$INSTDIR\tessel.exe"'
  ${Else}
    DeleteRegValue SHCTX "${RUN_KEY}" "Tessel"
  ${EndIf}
SectionEnd

Function .onInit
  ${GetParameters} $0
  ${If} ${Silent}
    ; Refused here rather than with a message box nobody is there to answer.
    UserInfo::GetAccountType
    Pop $2
    ClearErrors
    ${GetOptions} $0 "/AllUsers" $1
    ${IfNot} ${Errors}
    ${AndIf} $2 != "Admin"
    ${AndIf} $2 != "Power"
      SetErrorLevel 5  ; access denied
      Quit
    ${EndIf}
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

; Started through the shell, so it runs as the user even when the setup program
; itself was elevated.
Function StartTessel
  Exec '"$WINDIR\explorer.exe" "$INSTDIR\tessel.exe"'
FunctionEnd

; Programs that had the hook library loaded let it go when they next handle a
; message: prompt them all, and retry for a moment before leaving it to the restart.
Function un.DeleteHookLibrary
  StrCpy $1 0
  ${Do}
    Delete "$INSTDIR\hmg.dll"
    ${IfNot} ${FileExists} "$INSTDIR\hmg.dll"
      Return
    ${EndIf}
    ${If} $1 >= 30
      Delete /REBOOTOK "$INSTDIR\hmg.dll"
      Return
    ${EndIf}
    System::Call 'user32::SendMessageTimeoutW(p 0xffff, i 0, p 0, p 0, i 2, i 500, *p .r0)'  ; WM_NULL to all
    Sleep 100
    IntOp $1 $1 + 1
  ${Loop}
FunctionEnd

Section "un.Tessel" SecUnProgram
  SectionIn RO
  Call un.StopTessel
  Delete "$INSTDIR\tessel.exe"
  Call un.DeleteHookLibrary
  Delete /REBOOTOK "$INSTDIR\hmg.dll.old"
  RMDir /r "$INSTDIR\help"
  Delete "$INSTDIR\uninstall.exe"
  RMDir /REBOOTOK "$INSTDIR"           ; only if nothing of the user's is left in it
  Delete "$SMPROGRAMS\Tessel.lnk"
  DeleteRegValue SHCTX "${RUN_KEY}" "Tessel"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd

; The settings and the automatic layout belong to the user who runs the uninstaller,
; whichever scope Tessel was installed in. Layouts saved elsewhere stay.
Section /o "un.Remove my settings and saved layouts" SecUnUserData
  SetShellVarContext current
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "Software\Velbrook"
  RMDir /r "$APPDATA\Velbrook\Tessel"
  RMDir "$APPDATA\Velbrook"
SectionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
  ; The copy being removed decides the scope, not the user's privileges.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR
    Call un.MultiUser.InstallMode.AllUsers
  ${Else}
    Call un.MultiUser.InstallMode.CurrentUser
  ${EndIf}
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/RemoveUserData" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecUnUserData}
  ${EndIf}
FunctionEnd
