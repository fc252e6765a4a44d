#!/bin/bash
# Installing again into a used destination: the same application deletes
# what its earlier installation had and it no longer brings, another
# application deletes nothing; the earlier registration's directory is
# proposed and taken without a question; an archive without entries;
# archives made by other tools; names far below the destination; an
# earlier release's installer and record.
# usage: install_reinstall.sh DRIVER SETUP UNINSTALL VIEWER HOLDFILE MKINSTALLER WORKDIR SHOTDIR
source "$(dirname "$0")/install-lib.sh"
install_init "$@"

app="Note Pad"
dest='C:\Apps\Notes'
group="$PROGRAMS\\$app"

# next_window_is CAPTION: after OK, that window comes and no question.
next_window_is() {
  e2e_check "$SHOT_NAME: straight on to \"$1\"" e2e_drive wait "$1" 30000
  e2e_eq "$SHOT_NAME: no question was asked" "$(e2e_drive windows | grep -c 'caption="Warning"')" 0
}

first_installation() {
  local payload
  payload=$(new_payload notes1)
  put "$payload" Readme.txt "first read-me"
  put "$payload" old.txt "only in the first"
  put "$payload" docs/guide.txt "first guide"
  put "$payload" docs/legacy.txt "only in the first"
  mkdir -p "$payload/keep"
  put "$payload" data/ro.txt "first locked data"
  chmod a-w "$payload/data/ro.txt"
  make_installer notes1 "$payload" <<'EOF'
#AppName
Note Pad
#Shortcuts
viewer.exe
Note Pad
docs\legacy.txt
Legacy Notes
#StartupShortcuts
viewer.exe /quit
Note Pad Counter
#DesktopShortcuts
viewer.exe
Note Pad
#GeneratedFiles
viewer.ini
Viewer.log
old.cache
#end
EOF
  start_setup notes1
  choose_destination "$dest"
  choose_group
  finish_setup "$app"
  check_record notes1 "$dest" "$group"
  check_links notes1 "$dest" "$group"
  # The application at work: its settings and log, and a cache.
  e2e_run "$dest\\viewer.exe" /quit
  echo cache >"$(unix "$dest")/old.cache"
}

# The same application again: a renamed read-me and generated log (only
# their case differs), files and a generated name dropped, a file new, the
# read-only file replaced, other shortcuts.
second_installation() {
  local payload d
  d=$(unix "$dest")
  payload=$(new_payload notes2)
  put "$payload" README.TXT "second read-me"
  put "$payload" new.txt "new in the second"
  put "$payload" docs/guide.txt "second guide"
  put "$payload" data/ro.txt "second locked data"
  chmod a-w "$payload/data/ro.txt"
  make_installer notes2 "$payload" <<'EOF'
#AppName
Note Pad
#Shortcuts
viewer.exe
Note Pad 2
#GeneratedFiles
viewer.ini
viewer.log
#end
EOF
  start_setup notes2
  appears "$CAP_DEST" destination
  e2e_eq "notes2: the earlier directory is proposed" "$(e2e_drive text "$CAP_DEST" $IDC_DEST_DIR)" "$dest"
  e2e_check "notes2: the destination is accepted" e2e_drive click "$CAP_DEST" 1
  next_window_is "$CAP_GROUP"
  choose_group
  finish_setup "$app"

  # Gone: the dropped files, the generated name no longer listed, the
  # read-me under its old name. Kept: the folder entry keep\ (clean-up
  # deletes files only) and the generated files still listed.
  check_files "$payload" "$d" keep/ uninstall.dat viewer.ini viewer.log
  check_record notes2 "$dest" "$group"
  check_links notes1 "$dest" "$group" --absent
  check_links notes2 "$dest" "$group"
  check_registration "$app" "$dest"
}

# The second version again, unattended and without /D= or /GROUP=: the
# registered directory and the application's name are taken without a
# question, the earlier record is checked, and the same files, shortcuts
# and registration come again.
silent_reinstallation() {
  local payload=$E2E_WORK/payloads/notes2 d
  d=$(unix "$dest")
  silent_setup notes2 notes2-silent /S
  e2e_eq "notes2-silent: exit code" "$SILENT_EXIT" 0
  log_says notes2-silent "destination (proposed): $dest" "program group (proposed): $app" \
    "program group folder: $group" "checking old uninstall data..." "exit code: 0"
  e2e_eq "notes2-silent: no question to answer, no file to clean up" \
    "$(grep -c -e '^Warning: ' -e '^removed: ' "$(log_of notes2-silent)")" 0
  check_files "$payload" "$d" keep/ uninstall.dat viewer.ini viewer.log
  check_record notes2 "$dest" "$group"
  check_links notes2 "$dest" "$group"
  check_registration "$app" "$dest"
}

# Another application into the same directory: nothing of Note Pad goes.
other_application() {
  local payload before d
  d=$(unix "$dest")
  before=$(tree "$d")
  cp "$d/uninstall.dat" "$E2E_WORK/notes2.dat"
  payload=$(new_payload other)
  put "$payload" other.txt "the other application"
  make_installer other "$payload" <<'EOF'
#AppName
Other Pad
#Shortcuts
viewer.exe
Other Pad
#end
EOF
  start_setup other
  appears "$CAP_DEST" destination
  e2e_eq "other: its own proposal" "$(e2e_drive text "$CAP_DEST" $IDC_DEST_DIR)" "$E2E_PROGRAM_FILES\\Other Pad"
  e2e_check "other: the destination is typed" type_text "$CAP_DEST" $IDC_DEST_DIR "$dest"
  e2e_check "other: the destination is accepted" e2e_drive click "$CAP_DEST" 1
  confirm_existing
  choose_group
  finish_setup "Other Pad"

  e2e_eq "other: nothing deleted, other.txt added" "$(tree "$d")" "$( (echo "$before"; echo other.txt) | LC_ALL=C sort)"
  check_record other "$dest" "$PROGRAMS\\Other Pad"
  check_links notes2 "$dest" "$group"
  check_registration "Other Pad" "$dest"
  check_registration "$app" "$dest"
}

# No entries at all. The first run cannot write uninstall.dat (a folder has
# its name), which holds the progress dialog up to be read; without a record
# the installation could not be removed, so it is undone and says so. The
# second run writes it and registers; the third goes into the registered
# directory.
empty_archive() {
  local payload="$E2E_WORK/payloads/empty" empty='C:\Apps\Empty'
  rm -rf "$payload" && mkdir -p "$payload" "$(unix 'C:\Apps')/Empty/uninstall.dat"
  make_installer empty "$payload" <<'EOF'
#AppName
Empty Pack
#end
EOF
  # mkinstaller adds the uninstaller to an empty payload: an archive without
  # entries, written by Python's zipfile, takes the place of its archive.
  python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1], "w").close()' "$E2E_WORK/installers/empty.zip"
  wrap_archive empty "$E2E_WORK/installers/empty.zip"
  start_setup empty empty1
  choose_destination "$empty"
  confirm_existing
  choose_group
  appears Error no-record
  e2e_eq "empty1: the message" "$(e2e_drive text Error 65535)" "Uninstall Information could not be saved!"
  e2e_eq "empty1: the progress range is 0 to 0" "$(e2e_drive progress Installing $IDC_PROGRESS)" "0 0 0"
  e2e_eq "empty1: the status line" "$(e2e_drive text Installing $IDC_CURRENT_FILE)" "creating uninstall data..."
  e2e_drive click Error 1 >/dev/null
  undone "Empty Pack"
  setup_ends
  e2e_check "empty1: not registered" not_registered "Empty Pack"

  rmdir "$(unix "$empty")/uninstall.dat"
  start_setup empty empty2
  choose_destination "$empty"
  confirm_existing
  choose_group
  finish_setup "Empty Pack"
  check_registration "Empty Pack" "$empty"

  start_setup empty empty3
  appears "$CAP_DEST" destination
  e2e_eq "empty3: the registered directory is proposed" "$(e2e_drive text "$CAP_DEST" $IDC_DEST_DIR)" "$empty"
  e2e_check "empty3: the destination is accepted" e2e_drive click "$CAP_DEST" 1
  next_window_is "$CAP_GROUP"
  choose_group
  finish_setup "Empty Pack"
  e2e_eq "empty3: only the record in the destination" "$(tree "$(unix "$empty")")" uninstall.dat
  check_record empty "$empty" "$PROGRAMS\\Empty Pack"
}

# wrap_archive NAME ZIP: installer NAME keeps its stub and script, and gets
# ZIP, made by another tool, as its archive.
wrap_archive() {
  python3 - "$(installer_of "$1")" "$2" <<'PY'
import sys
installer, archive = sys.argv[1], sys.argv[2]
data = open(installer, 'rb').read()
marker = b'-over' + b'lay2-'  # never whole in a file that setup might read
at = data.index(marker) + len(marker)
open(installer, 'wb').write(data[:at] + open(archive, 'rb').read())
PY
}

# Archives made by jar and by bsdtar, which mark folders by the trailing
# "/" of their names alone (attributes 0, or a Unix mode): installed whole,
# the empty folder too, and removed again by the uninstaller.
foreign_archives() {
  local tool payload dest d archive
  payload=$(new_payload foreign)
  put "$payload" readme.txt "made elsewhere"
  put "$payload" docs/guide/page.txt "a page"
  mkdir -p "$payload/empty"
  for tool in jar bsdtar; do
    dest="C:\\Apps\\Foreign $tool"
    d=$(unix "$dest")
    archive="$E2E_WORK/installers/foreign-$tool.zip"
    rm -f "$archive"
    if [ $tool = jar ]; then
      jar --create --no-manifest --file "$archive" -C "$payload" . || e2e_log "jar failed"
    else
      (cd "$payload" && bsdtar --format zip -cf "$archive" *) || e2e_log "bsdtar failed"
    fi
    make_installer "foreign-$tool" "$payload" <<EOF
#AppName
Foreign $tool
#end
EOF
    wrap_archive "foreign-$tool" "$archive"
    start_setup "foreign-$tool"
    choose_destination "$dest"
    choose_group
    finish_setup "Foreign $tool"
    check_files "$payload" "$d" uninstall.dat
    check_registration "Foreign $tool" "$dest"
    uninstall "Foreign $tool"
    e2e_eq "foreign-$tool: the uninstaller removed all of it" "$(tree "$d")" uninstall.exe
  done
}

# deep_name LENGTH TAG: a relative name exactly LENGTH characters long,
# nested folders of 49 characters (Linux holds a name to 255 bytes).
deep_name() {
  python3 -c 'import sys
length, tag = int(sys.argv[1]), sys.argv[2]
parts = []
while length - 50 * len(parts) > 60:
    parts.append(("%s-%02d-" % (tag, len(parts))).ljust(49, "x"))
parts.append((tag + ".txt").rjust(length - 50 * len(parts), "f"))
print("/".join(parts))' "$1" "$2"
}

# Files 300 and 1,000 characters below the destination: installed,
# installed again over themselves, and removed completely, unattended.
long_paths() {
  local payload app="Deep Names" dest='C:\Apps\Deep' d n300 n1000
  d=$(unix "$dest")
  payload=$(new_payload deep)
  n300=$(deep_name 300 near)
  n1000=$(deep_name 1000 far)
  put "$payload" "$n300" "300 characters below"
  put "$payload" "$n1000" "1,000 characters below"
  e2e_eq "deep: the deepest names' lengths" "${#n300} ${#n1000}" "300 1000"
  printf '#AppName\n%s\n#end\n' "$app" | make_installer deep "$payload"
  silent_setup deep deep /S "/D=$dest"
  e2e_eq "deep: exit code" "$SILENT_EXIT" 0
  check_files "$payload" "$d" uninstall.dat
  check_record deep "$dest" "$PROGRAMS\\$app"
  silent_setup deep deep-again /S
  e2e_eq "deep-again: exit code" "$SILENT_EXIT" 0
  log_says deep-again "destination (proposed): $dest" "installed: ${n1000//\//\\}"
  check_files "$payload" "$d" uninstall.dat
  silent_uninstall "$app" 0
  e2e_eq "deep: what the uninstaller leaves" "$(tree "$d")" uninstall.exe
}

# old_installer NAME PAYLOAD: installer NAME as an earlier release made it:
# its script (script_of NAME) in Windows-1252 without a byte-order mark,
# and an archive whose names are OEM code page 850 bytes with bit 11 clear
# (zipfile writes ASCII stand-ins of the same length, swapped afterwards).
old_installer() {
  python3 - "$SETUP" "$(script_of "$1")" "$2" "$(installer_of "$1")" <<'PY'
import io, os, sys, zipfile
stub, script, payload, out = sys.argv[1:]
text = open(script, encoding='utf-8').read().rstrip('\n').replace('\n', '\r\n').encode('cp1252')
entries = []
for root, dirs, files in os.walk(payload):
    dirs.sort()
    rel = os.path.relpath(root, payload)
    prefix = '' if rel == '.' else rel + '/'
    if prefix:
        entries.append((prefix, None))
    entries += [(prefix + f, os.path.join(root, f)) for f in sorted(files)]
buf, swaps = io.BytesIO(), []
with zipfile.ZipFile(buf, 'w', zipfile.ZIP_DEFLATED) as archive:
    for i, (name, path) in enumerate(entries):
        wanted = name.encode('cp850')
        stand_in = name if wanted.isascii() else ('~%d~' % i).ljust(len(wanted) - name.endswith('/'), 'Q')
        if stand_in != name:
            stand_in += '/' if name.endswith('/') else ''
            swaps.append((stand_in.encode(), wanted))
        archive.writestr(stand_in, open(path, 'rb').read() if path else b'')
data = buf.getvalue()
for stand_in, wanted in swaps:
    assert data.count(stand_in) == 2, stand_in
    data = data.replace(stand_in, wanted)
marker1, marker2 = b'-over' + b'lay1-', b'-over' + b'lay2-'  # never whole in a file setup reads
open(out, 'wb').write(open(stub, 'rb').read() + marker1 + text + marker2 + data)
PY
}

# An earlier release's installation, under de_DE (ANSI 1252, OEM 850): its
# record in the first form ("SS01", Windows-1252), then that release's
# installer (OEM names, ANSI script) of the same application over it. The
# names come out right; setup deletes what the old record has and the new
# payload lacks, umlauts included; the uninstaller removes the rest.
earlier_release() {
  local payload app="Größe Prüfer" dest='C:\Apps\Größe' d
  d=$(unix "$dest")
  export LANG=de_DE.UTF-8
  mkdir -p "$d/Ação" && cp "$UNINSTALLER" "$d/uninstall.exe"
  echo old >"$d/Größe.txt" && echo old >"$d/Ação/alt.txt"
  python3 "$install_here/../uninstall/make_uninstall_dat.py" --ansi "$d/uninstall.dat" "$app" \
    uninstall.exe Größe.txt 'Ação\' 'Ação\alt.txt'
  payload=$(new_payload older)
  put "$payload" "Øre.txt" "Øre"
  put "$payload" "Ação/Größenliste.txt" "Größen"
  cat >"$(script_of older)" <<EOF
#AppName
$app
#Shortcuts
Ação\\Größenliste.txt
Größenübersicht
#end
EOF
  old_installer older "$payload"
  silent_setup older older /S "/D=$dest"
  e2e_eq "older: exit code" "$SILENT_EXIT" 0
  log_says older "application: $app" "removed: Größe.txt" 'removed: Ação\alt.txt'
  check_files "$payload" "$d" uninstall.dat
  check_record older "$dest" "$PROGRAMS\\$app" --oem cp850
  check_links_resolve older "$dest" "$PROGRAMS\\$app"
  check_registration "$app" "$dest" 0x409
  silent_uninstall "$app" 0
  e2e_eq "older: what the uninstaller leaves" "$(tree "$d")" uninstall.exe
  export LANG=C.UTF-8
}

# ledger_installer VERSION PUBLISHER: installer ledger-VERSION of payload
# ledger-VERSION, with what catalogs read.
ledger_installer() {
  make_installer "ledger-$1" "$E2E_WORK/payloads/ledger-$1" <<EOF
#AppName
Ledger
#Shortcuts
viewer.exe
Ledger
#Version
$1
#Publisher
$2
#URL
https://example.org/ledger/$1
#Icon
icons\\ledger.ico,1
#end
EOF
}

# check_catalog RUN VERSION PUBLISHER: Ledger's entry shows that version,
# and the size of its payload in KiB, rounded up.
check_catalog() {
  local values bytes
  values=$(e2e_reg_values "$UNINSTALL_KEY\\Ledger")
  bytes=$(find "$E2E_WORK/payloads/ledger-$2" -type f -printf '%s\n' | awk '{ n += $1 } END { print n }')
  e2e_eq "$1: DisplayVersion, Publisher, URLInfoAbout, DisplayIcon, EstimatedSize" "$(printf '%s\n' "$values" |
    grep -E '^(DisplayVersion|Publisher|URLInfoAbout|DisplayIcon|EstimatedSize)=' | LC_ALL=C sort)" \
    "$(printf '%s\n' "DisplayIcon=$ledger\\icons\\ledger.ico,1" "DisplayVersion=$2" \
      "EstimatedSize=$(printf '0x%x' $(((bytes + 1023) / 1024)))" "Publisher=$3" \
      "URLInfoAbout=https://example.org/ledger/$2")"
}

# Versions of one application, unattended, in a folder with a blank: 1.1
# goes where the registered 1.0 is (its InstallLocation) and removes what
# it no longer has; 1.0 again is refused (exit code 6), without /S only
# after a question answered No, and both times nothing changes; with
# /ALLOWDOWNGRADE it goes in. Then removed by its UninstallString.
versions() {
  local p10 p11 d ledger='C:\Apps\Ledger Books'
  d=$(unix "$ledger")
  p10=$(new_payload ledger-1.0)
  put "$p10" readme.txt "Ledger 1.0"
  put "$p10" only-1.0.txt "dropped by 1.1"
  put "$p10" icons/ledger.ico "icon"
  p11=$(new_payload ledger-1.1)
  put "$p11" readme.txt "Ledger 1.1"
  put "$p11" icons/ledger.ico "icon 1.1"
  put "$p11" only-1.1.txt "new in 1.1"
  ledger_installer 1.0 "Ledger Works"
  ledger_installer 1.1 "Ledger Works Ltd."

  silent_setup ledger-1.0 ledger-1.0 /S "/D=$ledger"
  e2e_eq "ledger-1.0: exit code" "$SILENT_EXIT" 0
  check_catalog ledger-1.0 1.0 "Ledger Works"

  silent_setup ledger-1.1 ledger-1.1 /S
  e2e_eq "ledger-1.1: exit code" "$SILENT_EXIT" 0
  log_says ledger-1.1 "destination (proposed): $ledger" 'removed: only-1.0.txt'
  check_files "$p11" "$d" uninstall.dat
  check_record ledger-1.1 "$ledger" "$PROGRAMS\\Ledger"
  check_registration Ledger "$ledger"
  check_catalog ledger-1.1 1.1 "Ledger Works Ltd."

  snapshot ledger-1.1 "$d" Ledger
  silent_setup ledger-1.0 ledger-downgrade /S
  e2e_eq "ledger-downgrade: exit code" "$SILENT_EXIT" 6
  log_says ledger-downgrade "downgrade refused: 1.1 is installed, newer than 1.0" "exit code: 6"
  same_as ledger-1.1 "$d" Ledger

  start_setup ledger-1.0 ledger-asked
  appears Warning downgrade-question
  e2e_eq "ledger-asked: the question" "$(e2e_drive text Warning 65535)" \
    'Ledger 1.1 is installed, which is newer than the version 1.0 that this setup installs.\nDo you want to install the older version over it?'
  e2e_check "ledger-asked: No" e2e_drive click Warning 7
  e2e_wait_exit 60
  e2e_eq "ledger-asked: setup ends with exit code 6" "$?" 6
  same_as ledger-1.1 "$d" Ledger

  silent_setup ledger-1.0 ledger-allowed /S /ALLOWDOWNGRADE
  e2e_eq "ledger-allowed: exit code" "$SILENT_EXIT" 0
  log_says ledger-allowed "downgrade: 1.1 is installed; 1.0 replaces it (/ALLOWDOWNGRADE)" 'removed: only-1.1.txt'
  check_files "$p10" "$d" uninstall.dat
  check_registration Ledger "$ledger"
  check_catalog ledger-allowed 1.0 "Ledger Works"

  uninstall Ledger
  e2e_eq "ledger: what the uninstaller leaves" "$(tree "$d")" uninstall.exe
}

first_installation
second_installation
silent_reinstallation
other_application
empty_archive
foreign_archives
long_paths
earlier_release
versions
e2e_finish
