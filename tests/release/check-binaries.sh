#!/bin/bash
# Release checks on the shipped 32-bit programs: they import only system
# DLLs and no 8-bit ("...A") function of Windows, whose names and texts
# would pass through the system's code page; they run with ASLR and DEP,
# need no start-up tables beyond what their own entry runs, ask Windows for
# no administrator rights by their manifest, carry neither overlay marker,
# and stay within their size budgets.
set -euo pipefail
bin=${1:?usage: check-binaries.sh WIN32_BIN_DIR}
objdump=i686-w64-mingw32-objdump
# DLLs every Windows installation has.
system_dlls="kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll ole32.dll oleaut32.dll comctl32.dll msvcrt.dll comdlg32.dll uuid.dll shlwapi.dll version.dll"
status=0

check() {
  local file=$1 limit=$2
  local path="$bin/$file"
  if [ ! -f "$path" ]; then echo "$file: missing"; status=1; return; fi
  local size; size=$(stat -c %s "$path")
  printf '%-14s %7d bytes (budget %d)\n' "$file" "$size" "$limit"
  if [ "$size" -gt "$limit" ]; then echo "$file: larger than its budget of $limit bytes"; status=1; fi
  if ! $objdump -f "$path" | grep -q 'file format pei-i386'; then echo "$file: not a 32-bit Windows program"; status=1; fi
  local dll
  for dll in $($objdump -p "$path" | sed -n 's/^\s*DLL Name: //p'); do
    local lower=${dll,,}
    if [[ " $system_dlls " != *" $lower "* ]]; then echo "$file: imports $dll, which is not a system DLL"; status=1; fi
  done
  echo "  imports: $($objdump -p "$path" | sed -n 's/^\s*DLL Name: //p' | tr '\n' ' ')"
  # Windows' 8-bit functions end in "A" behind a lower-case letter or a
  # digit (CreateFileA, lstrcpynA); the C runtime's names never do.
  local narrow
  narrow=$($objdump -p "$path" | awk 'NF == 3 && $1 ~ /^[0-9a-f]+$/ && $2 ~ /^[0-9]+$/ {print $3}' | grep -E '[a-z0-9]A$' | tr '\n' ' ' || true)
  if [ -n "$narrow" ]; then echo "$file: imports 8-bit functions: $narrow"; status=1; fi
  # The C runtime's functions that open a file by an 8-bit name.
  narrow=$($objdump -p "$path" | awk 'NF == 3 && $1 ~ /^[0-9a-f]+$/ && $2 ~ /^[0-9]+$/ {print $3}' |
    grep -E '^(fopen|_open|_mkdir|_rmdir|_unlink|remove|rename|_chdir|_findfirst(32|64)?|_stat(32|64)?|_access)$' |
    tr '\n' ' ' || true)
  if [ -n "$narrow" ]; then echo "$file: imports C runtime functions that take 8-bit names: $narrow"; status=1; fi
  # ASLR needs the relocations as well as the flag; DEP the NX flag.
  local flags; flags=$($objdump -p "$path")
  grep -q DYNAMIC_BASE <<<"$flags" && $objdump -h "$path" | grep -q '\.reloc' ||
    { echo "$file: not relocatable (no ASLR)"; status=1; }
  grep -q NX_COMPAT <<<"$flags" || { echo "$file: not marked for DEP"; status=1; }
  # The programs' own entry runs neither the C runtime's initialiser tables
  # nor TLS callbacks: a piece of the runtime that needs them must not come.
  if $objdump -h "$path" | grep -qE '^\s*[0-9]+ \.(CRT|tls)\s'; then
    echo "$file: has a .CRT or .tls section, which the program entry does not run"; status=1
  fi
  # Without a manifest that asks for asInvoker, Windows demands
  # administrator rights of any program whose name has "setup" or
  # "install" in it, per-user runs included.
  grep -a -q 'requestedExecutionLevel level="asInvoker"' "$path" ||
    { echo "$file: no manifest with requestedExecutionLevel asInvoker"; status=1; }
  local marker
  for marker in -overlay1- -overlay2-; do
    if grep -a -q -- "$marker" "$path"; then echo "$file: contains the marker text $marker"; status=1; fi
  done
}

# The budgets: the sizes reached (setup 112,128 and uninstall 12,288 bytes)
# plus 4 KB, so that they stay there. The uninstaller's grew by two file
# alignment steps (512 bytes each) for the audit's findings: the refusal
# over an unfinished installation (reading setup's journal, and its
# message), read-only files and dot-files removed, the Uninstall entry that
# cannot be deleted reported, the record's trailer read. Its code and its
# texts each filled their last 512 bytes (.text 0x2da4 of 0x2e00 and
# .rdata 0x600 of 0x600 bytes), after shared key texts and a kept-apart
# journal check had taken back what they could. One step more (512 bytes)
# for the per-user uninstallation: the entry searched under
# HKEY_CURRENT_USER before HKEY_LOCAL_MACHINE, its quoted UninstallString
# read, the user's RunOnce key made when missing; the code passed its last
# 512 bytes (.text 0x2f3c), while the texts still fit theirs (.rdata 0x5f8
# of 0x600, the RunOnce log lines reusing the key names). One more for the
# command-line options it shares with setup (/ALLOWDOWNGRADE, /ELEVATED)
# and the log that an elevated second start appends to (.text 0x2f58).
# Five steps more (2,560 bytes) for its manifest (asInvoker, so that
# Windows does not demand administrator rights of a per-user removal) and
# its own second start with them for a machine-wide one: the code, the
# imports of shell32 and of the token queries, the manifest resource and
# the relocations each passed their last 512 bytes (.text 0x3304, .idata
# 0x704, .rsrc 0x5f8, .reloc 0x250).
# setup's grew by 16 KB for two capabilities beyond its first design: the
# journal and the rollback (setup.exe 114,688 to 126,464 bytes: the
# journal's records, their escaping and parsing, the undo of each kind of
# change, and their texts), then the entry that catalogs read, upgrades
# and downgrades, per-user installations and the elevated second start
# (to 132,096 bytes); 1 KB above that stays free.
check setup.exe $((112128 + 4096 + 16896))
check uninstall.exe $((12288 + 4096 + 1024 + 1024 + 2560))
[ $status -eq 0 ] && echo "release checks passed" || echo "release checks FAILED"
exit $status
