; Installer for the 64-bit Windows build. scripts/windows.sh runs it with
;   VERSION     the program's version
;   SOURCE_DIR  the portable folder, whose contents are installed
;   FILE_LIST   Delete/RMDir lines for each of those files and folders
;   OUT_FILE    the setup program to write
;   SIZE_KB     the installed size, for Add/Remove Programs
;   ICON        the program's icon, for the setup program and the uninstaller
; Silent with /S, installer and uninstaller alike.

!ifndef VERSION | SOURCE_DIR | FILE_LIST | OUT_FILE | SIZE_KB | ICON
  !error "Run through scripts/windows.sh, which defines VERSION, SOURCE_DIR, FILE_LIST, OUT_FILE, SIZE_KB and ICON"
!endif

!include "MUI2.nsh"
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
InstallDir "$PROGRAMFILES64\Pagerbench"
RequestExecutionLevel admin

; The version details Explorer shows for the setup program.
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1033 "ProductName" "Pagerbench"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "Pagerbench setup"
VIAddVersionKey /LANG=1033 "CompanyName" "Pagerbench service tools"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright ${U+00A9} Pagerbench service tools"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Section "Pagerbench"
  SetOutPath "$INSTDIR"
  File /r "${SOURCE_DIR}/*"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortCut "$SMPROGRAMS\Pagerbench.lnk" "$INSTDIR\pagerbench.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Pagerbench"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Pagerbench"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\pagerbench.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Only what the installer put there: the per-user folder stays, and so does
; anything else someone left in the program's folder.
Section "Uninstall"
  Delete "$SMPROGRAMS\Pagerbench.lnk"
!include "${FILE_LIST}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
