#!/bin/bash
# The demo: packs the sample application with mkinstaller, installs it with
# the shipped 32-bit setup.exe under wine 10 (the WoW64 root, as on 64-bit
# Windows) on a virtual 1024x768 screen, answering each dialog as a person
# would, then removes it with its uninstaller, and tells what happened.
# On a machine that cannot execute 32-bit code it uses the x86_64 build of
# the same sources under the host's wine64 instead, and says so first.
# Screenshots of every step land in build/demo/shots/.
# usage: examples/demo.sh [BUILD_DIR]   (make demo builds what it needs first)
set +u
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
host=$build/tools/bin   # the release mkinstaller (make build-tools)
helpers=$build/win64/bin
out=$build/demo
sample=$root/examples/sample

if probe=$("$root/tests/wow64/can-run-32bit.sh"); then
  win=$build/win32/bin
  export E2E_ROOT=${WOW64_ROOT:-/var/lib/installer-tests/wow64-root}
  [ -f "$E2E_ROOT/.installer-root-ready" ] || { echo "demo: no WoW64 root at $E2E_ROOT (run 'make deps')" >&2; exit 1; }
  view=" (the 32-bit view, WOW6432Node)"
  prefix_template=$build/demo-prefix-template-wow64
else
  echo "this machine cannot run 32-bit code: the demo uses the x86_64 build (${probe#32-bit x86 code: })"
  win=$build/win64/bin
  unset E2E_ROOT
  view=
  prefix_template=$build/demo-prefix-template
fi
source "$root/tests/e2e/lib.sh"
export E2E_DRIVER=$helpers/driver.exe
export E2E_PREFIX_TEMPLATE=$prefix_template
export E2E_KEEP=1

say() { printf '%s\n' "$*"; }
section() { printf '\n== %s ==\n' "$*"; }
die() { say "demo: $*" >&2; exit 1; }

for f in "$host/mkinstaller" "$win/setup.exe" "$win/uninstall.exe" "$win/viewer.exe" "$helpers/driver.exe"; do
  [ -f "$f" ] || die "missing $f (run 'make demo', which builds it)"
done
font=/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf
[ -f "$font" ] || die "missing $font (package fonts-dejavu-core; run 'make deps')"

# ---- the payload and the installer ----
rm -rf "$out"
mkdir -p "$out/payload/fonts" "$out/payload/samples"
cp "$win/viewer.exe" "$win/uninstall.exe" "$sample/readme.txt" "$font" "$out/payload/"
cp /usr/share/doc/fonts-dejavu-core/copyright "$out/payload/fonts/LICENSE-DejaVu.txt"
# Some sample data, so that the progress dialog stays up long enough to be seen.
for i in 1 2 3 4 5 6; do
  head -c $((24 * 1024 * 1024)) /dev/urandom > "$out/payload/samples/picture$i.dat"
done
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null || date +%s)}
"$host/mkinstaller" build --stub "$win/setup.exe" --script "$sample/setup.txt" --payload "$out/payload" \
  -o "$out/SampleSetup.exe" || die "mkinstaller refused the sample"
section "The installer"
"$host/mkinstaller" list "$out/SampleSetup.exe" | sed 's/^/  /' | head -40

# ---- install, as a person would ----
e2e_init "$out/run" || die "no virtual screen or wine prefix"
section "Installing (screenshots in $out/shots)"
shots=$out/shots
mkdir -p "$shots"
shot() { local f; f=$(e2e_shot "$1") && cp "$f" "$shots/" && say "  screenshot $1.png"; }

e2e_start "$out/SampleSetup.exe"
e2e_drive wait "Agreement" 60000 >/dev/null || die "the agreement did not appear"
shot 01-agreement
e2e_drive click "Agreement" 1 >/dev/null
e2e_drive wait "Destination Directory" 20000 >/dev/null || die "the destination dialog did not appear"
dest=$(e2e_drive text "Destination Directory" 1005)
shot 02-destination
say "  destination proposed and accepted: $dest"
e2e_drive click "Destination Directory" 1 >/dev/null
e2e_drive wait "Start Menu Folder" 20000 >/dev/null || die "the start-menu dialog did not appear"
group=$(e2e_drive text "Start Menu Folder" 1006)
shot 03-start-menu
say "  program group proposed and accepted: $group"
e2e_drive click "Start Menu Folder" 1 >/dev/null
if e2e_drive -t 20000 wait "Installing" >/dev/null; then
  shot 04-progress
fi
e2e_drive wait "Installation Complete" 60000 >/dev/null || die "no completion message"
shot 05-complete
say "  message: $(e2e_drive text "Installation Complete" 65535)"
e2e_drive click "Installation Complete" 1 >/dev/null
e2e_wait_exit 60
say "  setup ended with exit code $?"

# ---- what the installation left ----
destu=$(e2e_unixpath "$dest")
section "Installed into $dest"
(cd "$destu" && find . -type f | sort | sed 's/^\.\//  /')
section "Registered under HKLM\\...\\Uninstall\\Sample Viewer$view"
key='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Sample Viewer'
say "  DisplayName     = $(e2e_reg_query "$key" DisplayName)"
say "  UninstallString = $(e2e_reg_query "$key" UninstallString)"
section "Shortcuts and font (from uninstall.dat and the fonts folder)"
python3 - "$destu/uninstall.dat" <<'PY'
import struct, sys
data = open(sys.argv[1], 'rb').read()
# "SS02": UTF-8, as setup writes it; "SS01": Windows-1252, as earlier setups did.
encoding = {b'SS02': 'utf-8', b'SS01': 'cp1252'}.get(data[:4])
assert encoding, 'no magic'
pos = 4
def text():
    global pos
    end = data.index(b'\0', pos); s = data[pos:end].decode(encoding); pos = end + 1; return s
def count():
    global pos
    n, = struct.unpack_from('<i', data, pos); pos += 4; return n
name = text()
files = [text() for _ in range(count())]
links = [text() for _ in range(count())]
generated = [text() for _ in range(count())]
print('  uninstall.dat: application %r, %d installed names, %d shortcuts, %d generated names'
      % (name, len(files), len(links), len(generated)))
for l in links: print('  shortcut', l)
for g in generated: print('  generated (removed by the uninstaller when present)', g)
PY
fonts=$(e2e_unixpath 'C:\windows\Fonts')
[ -f "$fonts/DejaVuSansMono.ttf" ] && say "  font moved to C:\\windows\\Fonts\\DejaVuSansMono.ttf"
fonts_key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts'
say "  font listed: \"DejaVu Sans Mono (TrueType)\" = $(e2e_reg_query "$fonts_key" 'DejaVu Sans Mono (TrueType)')"

# The application runs once, so that it makes its generated files.
e2e_run "$destu/viewer.exe" /quit
say "  viewer.exe ran once and made: $(cd "$destu" && ls viewer.ini viewer.log 2>/dev/null | tr '\n' ' ')"

# ---- uninstall ----
section "Uninstalling with $dest\\uninstall.exe"
e2e_start "$destu/uninstall.exe"
# "Success" when everything went, "Warning" naming what remained.
box=
for i in $(seq 120); do
  for caption in Success Warning; do
    e2e_drive -t 100 wait "$caption" >/dev/null 2>&1 && box=$caption && break 2
  done
  sleep 0.4
done
[ -n "$box" ] || die "the uninstaller showed no message"
shot 06-uninstalled
say "  message ($box): $(e2e_drive text "$box" 65535)"
e2e_drive click "$box" 1 >/dev/null
e2e_wait_exit 60
say "  uninstall ended with exit code $? (0 all removed, 2 something remained)"

section "What the uninstaller left, and why"
if [ -d "$destu" ]; then
  left=$(cd "$destu" && find . -mindepth 1 | sort | sed 's/^\.\//  /')
  say "  $dest still holds:"; say "$left"
  say "  (uninstall.exe is running while it works; RunOnce deletes it, then the folder, at the next start of Windows)"
fi
e2e_reg_exists "$key" && say "  the Uninstall key is still there (unexpected)" || say "  the Uninstall key is gone"
runonce='HKLM\Software\Microsoft\Windows\CurrentVersion\RunOnce'
say "  RunOnce \"Sample Viewer_DelUninstallExe\" = $(e2e_reg_query "$runonce" 'Sample Viewer_DelUninstallExe')"
say "  RunOnce \"Sample Viewer_RmDir\"          = $(e2e_reg_query "$runonce" 'Sample Viewer_RmDir')"
[ -f "$fonts/DejaVuSansMono.ttf" ] && say "  the font stays in the fonts folder: uninstall.dat does not record fonts"
say ""
say "Screenshots: $shots"
say "Wine prefix kept for a look around: $WINEPREFIX"
exit 0
