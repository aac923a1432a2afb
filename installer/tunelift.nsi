; The Tunelift installer: for the current user, without administrator rights.
; installer/make_packages.sh runs it as
;   makensis -DVERSION=1.1.0 -DVERSION4=1.1.0.0 -DSTAGE=<folder with the three files>
;            -DOUTFILE=<setup.exe> tunelift.nsi
; The uninstaller deletes exactly the files this installs, never the folder's other
; contents, so a Tunelift.ini kept beside the program survives it (and so does the one
; in %APPDATA%\Tunelift, which is never touched).

; This Wine and 64-bit Windows both run the 64-bit stub; the default one is 32-bit.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tunelift"
!include "FileFunc.nsh"

Name "Tunelift ${VERSION}"
OutFile "${OUTFILE}"
Icon "${__FILEDIR__}/../ui/tunelift.ico"
UninstallIcon "${__FILEDIR__}/../ui/tunelift.ico"
InstallDir "$LOCALAPPDATA\Programs\Tunelift"
; An update goes where the last install went.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails show
ShowUninstDetails show

; The setup claims no copyright line in its version resource.
!pragma warning disable 9100
VIProductVersion "${VERSION4}"
VIFileVersion "${VERSION4}"
VIAddVersionKey /LANG=1033 "ProductName" "Tunelift"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "Tunelift ${VERSION} setup"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Tunelift"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "${STAGE}/tunelift.exe"
  File "${STAGE}/tunelift-cli.exe"
  File "${STAGE}/README.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\Tunelift.lnk" "$INSTDIR\tunelift.exe" "" "$INSTDIR\tunelift.exe" 0
  ; Send to starts the window with the chosen playlist as its argument.
  CreateShortcut "$SENDTO\Tunelift.lnk" "$INSTDIR\tunelift.exe" "" "$INSTDIR\tunelift.exe" 0

  ; The apps list shows the size in KB.
  ${GetSize} "$INSTDIR" "/S=0K /G=0" $0 $1 $2
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Tunelift"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Tevkan"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tunelift.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  Delete "$SMPROGRAMS\Tunelift.lnk"
  Delete "$SENDTO\Tunelift.lnk"
  Delete "$INSTDIR\tunelift.exe"
  Delete "$INSTDIR\tunelift-cli.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\uninstall.exe"
  ; Only when empty: the user's Tunelift.ini keeps the folder.
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
