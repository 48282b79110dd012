; A stub setup, as many demos have: unpacks the real setup into the temporary folder, starts it
; and ends without waiting for it.
;   makensis -DNAME=<demo> -DREAL=<real setup.exe> -DOUTFILE=<setup.exe> relay.nsi
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
; The catalogue names setup programs Setup.exe; keep the name and the warning quiet.
!pragma warning disable 9000
RequestExecutionLevel user
SilentInstall silent

Name "${NAME}"
OutFile "${OUTFILE}"

Section
  SetOutPath "$TEMP\${NAME} setup"
  File "/oname=Setup.exe" "${REAL}"
  Exec '"$TEMP\${NAME} setup\Setup.exe"'
SectionEnd
