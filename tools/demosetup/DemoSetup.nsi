; The setup program of one sample demo. One script serves every demo on the sample CD; the build
; passes what differs with /D:
;   TARGET     amd64-unicode or x86-unicode, as the menu it ships with
;   OUTFILE    the Setup.exe to write
;   DIR        folder name under Program Files
;   TITLE      the demo's title (window caption, shortcut, uninstall entry)
;   FOLDER     the Start-menu group it creates; the catalogue's Folder key names the same group
;   UNINSTKEY  its key under the platform's uninstall registry; the catalogue's Uninstall key
;   README     a text file installed as ReadMe.txt
;   PICTURE    a bitmap installed as Title.bmp
Unicode true
Target ${TARGET}
SetCompressor /SOLID lzma
; The catalogue has always named the setup programs Setup.exe; keep the name and the warning quiet.
!pragma warning disable 9000

!define UNINSTROOT "Software\Microsoft\Windows\CurrentVersion\Uninstall\${UNINSTKEY}"

Name "${TITLE}"
Caption "${TITLE} - demo setup"
UninstallCaption "${TITLE} - remove demo"
BrandingText "Vindrel sample CD"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\${DIR}"
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Demo"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "/oname=ReadMe.txt" "${README}"
  File "/oname=Title.bmp" "${PICTURE}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateDirectory "$SMPROGRAMS\${FOLDER}"
  CreateShortcut "$SMPROGRAMS\${FOLDER}\${TITLE}.lnk" "$INSTDIR\ReadMe.txt"
  CreateShortcut "$SMPROGRAMS\${FOLDER}\Remove ${TITLE}.lnk" "$INSTDIR\Uninstall.exe"

  WriteRegStr HKLM "${UNINSTROOT}" "DisplayName" "${TITLE} (demo)"
  WriteRegStr HKLM "${UNINSTROOT}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTROOT}" "InstallLocation" "$INSTDIR"
  WriteRegDWORD HKLM "${UNINSTROOT}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTROOT}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  Delete "$SMPROGRAMS\${FOLDER}\${TITLE}.lnk"
  Delete "$SMPROGRAMS\${FOLDER}\Remove ${TITLE}.lnk"
  RMDir "$SMPROGRAMS\${FOLDER}"
  Delete "$INSTDIR\ReadMe.txt"
  Delete "$INSTDIR\Title.bmp"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTROOT}"
SectionEnd
