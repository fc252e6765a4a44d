#!/bin/bash
# nsis-script.sh PAYLOAD_DIR OUTFILE.exe > script.nsi: prints the NSIS script
# the benchmarks measure us against: zlib, one page that closes by itself,
# and every file of PAYLOAD_DIR under the install folder.
set -euo pipefail
usage="usage: nsis-script.sh PAYLOAD_DIR OUTFILE.exe > script.nsi"
payload=${1:?$usage}
outfile=${2:?$usage}
payload=$(cd "$payload" && pwd)
# makensis works in the script's folder: a relative name would land there.
case $outfile in /*) ;; *) outfile=$PWD/$outfile ;; esac
# NSIS_TARGET (say amd64-unicode) picks other stubs than the default x86 ones.
target=${NSIS_TARGET:+Target $NSIS_TARGET}
cat <<NSI
$target
SetCompressor zlib
Name "Payload"
OutFile "$outfile"
InstallDir "\$PROGRAMFILES\\Payload"
AutoCloseWindow true
Page instfiles
Section
  SetOutPath "\$INSTDIR"
  File /r "$payload/*"
SectionEnd
NSI
