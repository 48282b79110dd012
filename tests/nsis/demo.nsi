; A game demo's own setup, as the CD carries them: installs silently into Program Files, leaves
; an uninstall entry and a Start-menu group, and writes an uninstaller that removes all of it.
;   makensis -DNAME=<demo> -DKEY=<uninstall key> -DGROUP=<Start-menu group> -DOUTFILE=<setup.exe> demo.nsi
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
SilentInstall silent
SilentUnInstall silent

Name "${NAME}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Vindrel Demos\${NAME}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${KEY}"

Section
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  FileOpen $0 "$INSTDIR\${NAME}.txt" w
  FileWrite $0 "${NAME}"
  FileClose $0
  WriteUninstaller "$INSTDIR\uninst.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninst.exe"'
  CreateDirectory "$SMPROGRAMS\${GROUP}"
  CreateShortCut "$SMPROGRAMS\${GROUP}\${NAME}.lnk" "$INSTDIR\${NAME}.txt"
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  Delete "$INSTDIR\${NAME}.txt"
  Delete "$INSTDIR\uninst.exe"
  RMDir "$INSTDIR"
  RMDir /r "$SMPROGRAMS\${GROUP}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
