; A demo's setup program as the CD carries them: installs into the program files, makes a
; Start-menu group of the current user and an uninstall entry. "/S" runs it without questions.
; It also notes the folder it was started in, so a test can see where the menu started it.
;   makensis -DOUTFILE=<exe> demosetup.nsi
Unicode true
Target amd64-unicode
SetCompressor zlib

!ifndef OUTFILE
  !define OUTFILE "demosetup.exe"
!endif
!define GROUP "Vindrel Test Demo"
!define KEY "VindrelTestDemo"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${KEY}"

Name "Vindrel Test Demo"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\VindrelTestDemo"
RequestExecutionLevel user
ShowInstDetails nevershow

Page directory
Page instfiles
UninstPage instfiles

Section "Demo"
  SetShellVarContext current
  GetFullPathName $0 "."  ; before SetOutPath, which changes the current folder
  SetOutPath "$INSTDIR"
  FileOpen $1 "$INSTDIR\startdir.txt" w
  FileWrite $1 "$0"
  FileClose $1
  WriteUninstaller "$INSTDIR\uninst.exe"
  CreateDirectory "$SMPROGRAMS\${GROUP}"
  CreateShortcut "$SMPROGRAMS\${GROUP}\Play the demo.lnk" "$INSTDIR\uninst.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Vindrel Test Demo"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninst.exe"'
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  Delete "$INSTDIR\startdir.txt"
  Delete "$INSTDIR\uninst.exe"
  RMDir "$INSTDIR"
  RMDir /r "$SMPROGRAMS\${GROUP}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
