#!/bin/sh
# make-payloads.sh OUTDIR: the installers that setup_ui_tests open, on a
# stub without markers (the tests read the overlay, they do not run it).
set -e
here=$(cd "$(dirname "$0")" && pwd)
out=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out" "$work/three/sub"
printf 'MZ test stub\n' > "$work/stub"
printf '#AppName\nBar Test\n#end\n' > "$work/script"

# Three files of 1,000, 2,000 and 7,000 bytes, one in a sub-folder, stored.
head -c 1000 /dev/urandom > "$work/three/a.bin"
head -c 2000 /dev/urandom > "$work/three/sub/b.bin"
head -c 7000 /dev/urandom > "$work/three/c.bin"
(cd "$work/three" && zip -X -q -0 "$work/three.zip" a.bin sub/b.bin c.bin)
"$here/make-installer.sh" "$work/stub" "$out/three.exe" "$work/script" "$work/three.zip"

# An archive without entries (Info-ZIP zip will not write one).
python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1], "w").close()' "$work/empty.zip"
"$here/make-installer.sh" "$work/stub" "$out/empty.exe" "$work/script" "$work/empty.zip"

# The three files again, with one byte of sub/b.bin's stored data flipped
# (100 bytes behind its name in the local header: -X writes no extra
# field), so that its CRC-32 no longer matches.
python3 - "$work/three.zip" "$work/damaged.zip" <<'PY'
import sys
data = bytearray(open(sys.argv[1], "rb").read())
name = b"sub/b.bin"
pos = data.find(name)
data[pos + len(name) + 100] ^= 0xFF
open(sys.argv[2], "wb").write(bytes(data))
PY
"$here/make-installer.sh" "$work/stub" "$out/damaged.exe" "$work/script" "$work/damaged.zip"
