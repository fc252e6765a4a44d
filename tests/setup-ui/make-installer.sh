#!/bin/sh
# make-installer.sh STUB OUT SCRIPT ZIP
# Writes OUT: STUB, "-overlay1-", SCRIPT (a file with LF line ends, turned
# into CR LF, no line break after its last line), "-overlay2-" and ZIP.
set -e
stub=$1 out=$2 script=$3 zip=$4
python3 - "$stub" "$out" "$script" "$zip" <<'PY'
import sys
stub, out, script, archive = sys.argv[1:]
text = open(script, "rb").read().rstrip(b"\n").replace(b"\n", b"\r\n")
with open(out, "wb") as f:
    f.write(open(stub, "rb").read())
    f.write(b"-overlay1-" + text + b"-overlay2-")
    f.write(open(archive, "rb").read())
PY
