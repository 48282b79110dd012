; A game demo's own setup, as the CD carries them: installs silently into Program Files, leaves
; an uninstall entry and a Start-menu group, and writes an uninstaller that removes all of it.
; Like every default NSIS uninstaller, that one starts a copy of itself and ends at once.
;   makensis -DNAME=<demo> -DKEY=<uninstall key> -DGROUP=<Start-menu group> -DOUTFILE=<setup.exe>
;            [-DVIEW32] [-DEXPAND] [-DCANCEL] [-DSLEEP=<ms>] [-DLINGER=<ms>] [-DRUNGAME] demo.nsi
; VIEW32 writes the uninstall entry in the 32-bit view, as a 32-bit setup does; EXPAND writes its
; command as a REG_EXPAND_SZ; CANCEL makes the uninstaller give up, as a reader pressing Cancel;
; SLEEP makes the setup and the uninstaller take that long over their work; LINGER keeps the setup
; running that long after it has made its uninstall entry, as a setup's finish page does; RUNGAME
; starts Game.exe from the setup's folder at the end ("Run the game now"), with a window for a minute.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
; The catalogue names setup programs Setup.exe; keep the name and the warning quiet.
!pragma warning disable 9000
RequestExecutionLevel user
SilentInstall silent
SilentUnInstall silent

Name "${NAME}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Vindrel Demos\${NAME}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${KEY}"

!macro REGVIEW
  !ifdef VIEW32
    SetRegView 32
  !else
    SetRegView 64
  !endif
!macroend

!ifdef CANCEL
Function un.onInit
  Quit
FunctionEnd
!endif

Section
  SetShellVarContext current
  !insertmacro REGVIEW
  !ifdef SLEEP
    Sleep ${SLEEP}
  !endif
  SetOutPath "$INSTDIR"
  FileOpen $0 "$INSTDIR\${NAME}.txt" w
  FileWrite $0 "${NAME}"
  FileClose $0
  WriteUninstaller "$INSTDIR\uninst.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
  !ifdef EXPAND
    StrCpy $1 "$INSTDIR" "" 2  ; the folder without its drive
    WriteRegExpandStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"%SystemDrive%$1\uninst.exe"'
  !else
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninst.exe"'
  !endif
  CreateDirectory "$SMPROGRAMS\${GROUP}"
  CreateShortCut "$SMPROGRAMS\${GROUP}\${NAME}.lnk" "$INSTDIR\${NAME}.txt"
  !ifdef LINGER
    Sleep ${LINGER}
  !endif
  !ifdef RUNGAME
    Exec '"$EXEDIR\Game.exe" 60000 window'
  !endif
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  !insertmacro REGVIEW
  !ifdef SLEEP
    Sleep ${SLEEP}
  !endif
  Delete "$INSTDIR\${NAME}.txt"
  Delete "$INSTDIR\uninst.exe"
  RMDir "$INSTDIR"
  RMDir /r "$SMPROGRAMS\${GROUP}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
