#!/bin/bash
# nsis-script.sh PAYLOAD_DIR OUTFILE: prints the NSIS script of the
# yardstick installer: zlib, the default progress page, one File /r.
payload=${1:?usage: nsis-script.sh PAYLOAD_DIR OUTFILE}
cat <<NSI
Name "NSIS Bench"
OutFile "$2"
InstallDir "\$PROGRAMFILES\\NSIS Bench"
RequestExecutionLevel admin
SetCompressor zlib
AutoCloseWindow true
Page instfiles
Section
  SetOutPath "\$INSTDIR"
  File /r "$payload/*"
SectionEnd
NSI
