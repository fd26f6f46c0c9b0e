; Installer for the 64-bit Windows build. scripts/windows.sh runs it with
;   VERSION     the program's version
;   SOURCE_DIR  the portable folder, whose contents are installed
;   FILE_LIST   Delete/RMDir lines for each of those files and folders
;   OUT_FILE    the setup program to write
;   SIZE_KB     the installed size, for Add/Remove Programs
;   ICON        the program's icon, for the setup program and the uninstaller
; For the current user by default, with no administrator rights: under
; %LOCALAPPDATA%\Programs\Pagerbench, the user's Start menu and HKCU. For
; everyone, under Program Files, the common Start menu and HKLM, when an
; administrator picks it on the first page or passes /ALLUSERS. Silent with
; /S, installer and uninstaller alike; the uninstaller finds the mode from
; where it was installed.

!ifndef VERSION | SOURCE_DIR | FILE_LIST | OUT_FILE | SIZE_KB | ICON
  !error "Run through scripts/windows.sh, which defines VERSION, SOURCE_DIR, FILE_LIST, OUT_FILE, SIZE_KB and ICON"
!endif

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "nsDialogs.nsh"
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Pagerbench"

; A 64-bit setup program: it starts on 64-bit Windows only, as the program does.
Target amd64-unicode
SetCompressor /SOLID lzma
; No file times in the setup program: two builds of one commit are the same.
SetDateSave off
Name "Pagerbench ${VERSION}"
OutFile "${OUT_FILE}"
; Started as it is, never raised to administrator: the manifest asks for no
; elevation. An administrator who wants it for everyone starts it elevated.
RequestExecutionLevel user

; The version details Explorer shows for the setup program.
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1033 "ProductName" "Pagerbench"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "Pagerbench setup"
VIAddVersionKey /LANG=1033 "CompanyName" "Pagerbench service tools"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright ${U+00A9} Pagerbench service tools"

Var AllUsers      ; 1: for everyone
Var ModePage.Me
Var ModePage.Everyone

Page custom ModePage ModePageLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Start menu and registry (SHCTX) follow the shell context; the folder
; follows the mode unless /D= named one.
!macro ApplyMode UN
Function ${UN}ApplyMode
  ${If} $AllUsers == 1
    SetShellVarContext all
  ${Else}
    SetShellVarContext current
  ${EndIf}
FunctionEnd
!macroend
!insertmacro ApplyMode ""
!insertmacro ApplyMode "un."

Function DefaultFolder
  ${If} $AllUsers == 1
    StrCpy $INSTDIR "$PROGRAMFILES64\Pagerbench"
  ${Else}
    StrCpy $INSTDIR "$LOCALAPPDATA\Programs\Pagerbench"
  ${EndIf}
FunctionEnd

Function IsAdministrator ; pushes 1 or 0
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 == "Admin"
    Push 1
  ${Else}
    Push 0
  ${EndIf}
FunctionEnd

Function .onInit
  SetRegView 64
  StrCpy $AllUsers 0
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/ALLUSERS" $R1
  ${IfNot} ${Errors}
    Call IsAdministrator
    Pop $R1
    ${If} $R1 != 1
      MessageBox MB_ICONSTOP "Installing for everyone needs administrator rights: start the setup program as administrator." /SD IDOK
      SetErrorLevel 740 ; ERROR_ELEVATION_REQUIRED
      Quit
    ${EndIf}
    StrCpy $AllUsers 1
  ${EndIf}
  Call ApplyMode
  ${If} $INSTDIR == ""
    Call DefaultFolder
  ${EndIf}
FunctionEnd

; Only for me, or for everyone where the user is an administrator.
Function ModePage
  nsDialogs::Create 1018
  Pop $0
  !insertmacro MUI_HEADER_TEXT "Installation for" "Choose who may use Pagerbench on this computer."
  ${NSD_CreateRadioButton} 0 0 100% 12u "Only for me (no administrator rights needed)"
  Pop $ModePage.Me
  ${NSD_CreateRadioButton} 0 18u 100% 12u "For everyone on this computer (administrators only)"
  Pop $ModePage.Everyone
  Call IsAdministrator
  Pop $0
  ${If} $0 != 1
    EnableWindow $ModePage.Everyone 0
  ${EndIf}
  ${If} $AllUsers == 1
    ${NSD_Check} $ModePage.Everyone
  ${Else}
    ${NSD_Check} $ModePage.Me
  ${EndIf}
  nsDialogs::Show
FunctionEnd

Function ModePageLeave
  ${NSD_GetState} $ModePage.Everyone $0
  ${If} $0 == ${BST_CHECKED}
    StrCpy $0 1
  ${Else}
    StrCpy $0 0
  ${EndIf}
  ${If} $0 != $AllUsers
    StrCpy $AllUsers $0
    Call ApplyMode
    Call DefaultFolder
  ${EndIf}
FunctionEnd

; Installed for everyone when the machine's uninstall entry names this folder.
Function un.onInit
  SetRegView 64
  StrCpy $AllUsers 0
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR
    StrCpy $AllUsers 1
  ${EndIf}
  Call un.ApplyMode
FunctionEnd

Section "Pagerbench"
  SetOutPath "$INSTDIR"
  File /r "${SOURCE_DIR}/*"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortCut "$SMPROGRAMS\Pagerbench.lnk" "$INSTDIR\pagerbench.exe"

  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "Pagerbench"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "Pagerbench"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\pagerbench.exe"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Only what the installer put there: the per-user folder stays, and so does
; anything else someone left in the program's folder.
Section "Uninstall"
  Delete "$SMPROGRAMS\Pagerbench.lnk"
!include "${FILE_LIST}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
