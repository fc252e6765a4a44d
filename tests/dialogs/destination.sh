#!/bin/bash
# The destination dialog shown by dialoghost and worked as a person would:
# the proposal, every check of OK with its message, the directories it
# creates, and the German texts.
# usage: destination.sh DRIVER.EXE DIALOGHOST.EXE WORKDIR SHOTDIR
# A drive of 1 MiB (tmpfs) shows the space message; it needs a private mount
# namespace, so the script runs itself again inside one where it can.
if [ -z "$DLG_MOUNT_NS" ] && unshare -m true 2>/dev/null; then
  DLG_MOUNT_NS=1 exec unshare -m bash "$0" "$@"
fi
here=$(cd "$(dirname "$0")" && pwd)
# Mounted before wine starts: in the WoW64 root the wineserver, which opens
# files for its programs, keeps the mounts it started with.
small=$3/small
mkdir -p "$small"
[ -n "$DLG_MOUNT_NS" ] && mount -t tmpfs -o size=1m tmpfs "$small"
source "$here/../e2e/lib.sh"
source "$here/dialogs-lib.sh"
dialogs_init "$@"
small=$E2E_WORK/small
dlg="Destination Directory"
key='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Quillwork'

# The proposal below ProgramFilesDir; OK creates it.
program_files=$E2E_PROGRAM_FILES
e2e_eq "ProgramFilesDir as the tested programs see it" \
  "$(e2e_reg_query 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion' ProgramFilesDir)" "$program_files"
host destination
e2e_check "English texts and the ProgramFilesDir proposal" e2e_script <<SCRIPT
expect-text "$dlg" $IDC_DEST_DIR "$program_files\\Quillwork"
expect-text "$dlg" $IDC_TEXT "Please choose a directory on your hard disk, to which Quillwork is to be installed, or simply accept the default location."
expect-text "$dlg" $IDC_DEST_GROUP Destination
expect-text "$dlg" 2 Exit
SCRIPT
shot destination-english
e2e_drive click "$dlg" 1
host_end
e2e_eq "OK accepts the proposal" "$REPORT" "$(lines 'run=1 result=1' "dest=$program_files\\Quillwork" prevdir=)"
e2e_check "... and has created it" [ -d "$(e2e_unixpath "$program_files\\Quillwork")" ]

# #DefaultDest naming a Shell Folders value; Exit leaves.
desktop=$(e2e_reg_query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' Desktop)
host destination --default-dest Desktop
e2e_check "the Desktop proposal" e2e_drive expect-text "$dlg" $IDC_DEST_DIR "$desktop\\Quillwork"
e2e_drive click "$dlg" 2
host_end
e2e_eq "Exit" "$REPORT" "$(lines 'run=1 result=2' dest= prevdir=)"

# An earlier registration: its folder (from the quoted UninstallString) is
# taken without a question, but the same folder typed in other case asks.
# Each run proposes it anew.
e2e_reg add "$key" /v UninstallString /d '"C:\Tools\Quillwork\uninstall.exe"' /f >/dev/null
mkdir -p "$(c_drive 'Tools\Quillwork')"
host destination --runs 2
e2e_drive expect-text "$dlg" $IDC_DEST_DIR 'C:\Tools\Quillwork' && e2e_drive click "$dlg" 1
e2e_drive expect-text "$dlg" $IDC_DEST_DIR 'C:\Tools\Quillwork' && e2e_drive type "$dlg" $IDC_DEST_DIR 'c:\tools\quillwork' &&
  e2e_drive click "$dlg" 1
expect_box Warning 'Directory already exists... Continue?' 1 7
e2e_check "No stays with the text" e2e_drive expect-text "$dlg" $IDC_DEST_DIR 'c:\tools\quillwork'
e2e_drive click "$dlg" 1
expect_box Warning 'Directory already exists... Continue?' 1 6
host_end
e2e_eq "the earlier folder, then Yes" "$REPORT" "$(lines 'run=1 result=1' 'dest=C:\Tools\Quillwork' \
  'prevdir=C:\Tools\Quillwork' 'run=2 result=1' 'dest=c:\tools\quillwork' 'prevdir=C:\Tools\Quillwork')"

# A name setup never registers (it ends in a backslash) would reach that
# same key: it gets the default proposal, and the existing folder the question.
host destination --app 'Quillwork\'
e2e_check "the default proposal" e2e_drive expect-text "$dlg" $IDC_DEST_DIR "$program_files\\Quillwork\\"
e2e_drive type "$dlg" $IDC_DEST_DIR 'C:\Tools\Quillwork' && e2e_drive click "$dlg" 1
expect_box Warning 'Directory already exists... Continue?' 1 7
e2e_drive click "$dlg" 2
host_end
e2e_eq "an unregistrable name reads no key" "$REPORT" "$(lines 'run=1 result=2' 'dest=C:\Tools\Quillwork' prevdir=)"

# An UninstallString without a folder counts as no earlier installation; a
# missing one leaves "C:\" cut to "C:", which is then accepted as is.
e2e_reg add "$key" /v UninstallString /d 'uninstall.exe' /f >/dev/null
host destination
e2e_drive expect-text "$dlg" $IDC_DEST_DIR "$program_files\\Quillwork" && e2e_drive click "$dlg" 2
host_end
e2e_eq "no folder in UninstallString" "$REPORT" "$(lines 'run=1 result=2' dest= prevdir=)"
# InstallLocation, where it is given, names the earlier folder.
e2e_reg add "$key" /v InstallLocation /d 'C:\Tools\Quillwork' /f >/dev/null
host destination
e2e_drive expect-text "$dlg" $IDC_DEST_DIR 'C:\Tools\Quillwork' && e2e_drive click "$dlg" 1
host_end
e2e_eq "InstallLocation" "$REPORT" "$(lines 'run=1 result=1' 'dest=C:\Tools\Quillwork' 'prevdir=C:\Tools\Quillwork')"
e2e_reg delete "$key" /v InstallLocation /f >/dev/null
# Without the value the proposal is "C:". OK is pressed whatever shows, so
# that no dialog outlives the case.
e2e_reg delete "$key" /v UninstallString /f >/dev/null
host destination
e2e_drive expect-text "$dlg" $IDC_DEST_DIR 'C:'
e2e_drive click "$dlg" 1
host_end
e2e_eq "no UninstallString" "$REPORT" "$(lines 'run=1 result=1' dest=C: prevdir=C:)"
e2e_reg delete "$key" /f >/dev/null

# Refusals: the dialog stays with the text after each message.
mountpoint -q "$small" && ln -sfn "$small" "$WINEPREFIX/dosdevices/m:"
touch "$(c_drive Afile)"
long=C:\\$(printf 'x%.0s' {1..300})
host destination --total-size 5000
refuse() {
  e2e_drive type "$dlg" $IDC_DEST_DIR "$1" && click_for_box "$dlg" 1 Error
  expect_box Error "$2" "$3" 1
  e2e_check "\"$1\" stays" e2e_drive expect-text "$dlg" $IDC_DEST_DIR "$1"
}
form='Invalid input - must be of the form\nX:\Path'
refuse Tools "$form" 0
refuse '\Tools' "$form" 0
refuse 'Q:Tools' "$form" 0
refuse '' "$form" 0
refuse 'C:\Afile' 'A file of the same name already exists.\nPlease Choose a different location.' 1
e2e_check "the file is still a file" [ -f "$(c_drive Afile)" ]
refuse "$long" 'The path is too long.\nPlease choose a shorter one.' 1
if mountpoint -q "$small"; then
  read -r blocks size < <(stat -f -c '%a %S' "$small")
  short=$(((5000 + 0x300000 - blocks * size) / 1024))
  nospace="Not enough disk space.\nLeave Setup and free at least $short KB on drive M:\nor choose a different drive."
  e2e_drive type "$dlg" $IDC_DEST_DIR 'm:\Inst' && e2e_drive click "$dlg" 1
  shot destination-no-space
  expect_box Error "$nospace" 1 1
  refuse 'm:' "$nospace" 1
  e2e_check "nothing created on the full drive" [ -z "$(ls -A "$small")" ]
else
  e2e_log "no private mount namespace: the space message is left to free_space_tests"
fi
keyboard_type "$dlg" $IDC_DEST_DIR "C:\\$(printf 'k%.0s' {1..300})"
typed=$(e2e_drive text "$dlg" $IDC_DEST_DIR)
e2e_eq "the keyboard stops at 259 characters" "${#typed}" 259
e2e_drive click "$dlg" 2
host_end
e2e_eq "Exit after the refusals" "$(head -n1 <<<"$REPORT")" 'run=1 result=2'

# Parents created outermost first, with and without a trailing backslash;
# an existing folder with Yes, named with a backslash at its end, which a
# search by name does not find. What is taken has no backslash at its end.
mkdir -p "$(c_drive Existing)"
host destination --runs 3
e2e_drive type "$dlg" $IDC_DEST_DIR 'C:\Apps\Sub\Leaf' && e2e_drive click "$dlg" 1
e2e_drive expect-text "$dlg" $IDC_DEST_DIR "$program_files\\Quillwork" && e2e_drive type "$dlg" $IDC_DEST_DIR 'C:\Apps2\Sub\' &&
  e2e_drive click "$dlg" 1
e2e_drive expect-text "$dlg" $IDC_DEST_DIR "$program_files\\Quillwork" && e2e_drive type "$dlg" $IDC_DEST_DIR 'C:\Existing\' &&
  e2e_drive click "$dlg" 1
expect_box Warning 'Directory already exists... Continue?' 1 6
host_end
e2e_eq "three accepted runs" "$(grep '^dest=' <<<"$REPORT")" "$(lines 'dest=C:\Apps\Sub\Leaf' 'dest=C:\Apps2\Sub' \
  'dest=C:\Existing')"
e2e_check "C:\\Apps\\Sub\\Leaf and C:\\Apps2\\Sub exist" [ -d "$(c_drive 'Apps\Sub\Leaf')" -a -d "$(c_drive 'Apps2\Sub')" ]

# "ProgramFilesDir" unreadable: "C:\" stays, and the name follows a second
# backslash.
e2e_reg delete 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion' /v ProgramFilesDir /f >/dev/null
host destination
e2e_check "no ProgramFilesDir" e2e_drive expect-text "$dlg" $IDC_DEST_DIR 'C:\\Quillwork'
e2e_drive click "$dlg" 2
host_end
e2e_reg add 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion' /v ProgramFilesDir /d "$program_files" /f >/dev/null

# German for every code but exactly "ENG"; a long name is cut to 259. GER
# runs under a Russian locale (code page 1251, which has no ä or ü): its
# texts, and its picture, are those FRA shows under C.UTF-8 (1252).
name=$(printf 'N%.0s' {1..300})
pictures=()
for code in GER FRA eng; do
  lang=C.UTF-8
  [ "$code" = GER ] && lang=ru_RU.UTF-8
  LANG=$lang host destination --lang "$code" --app "$name"
  e2e_check "$code: German texts" e2e_script <<SCRIPT
wait "Zielverzeichnis wählen" 20000
expect-text "Zielverzeichnis wählen" $IDC_TEXT "Geben Sie das Verzeichnis an, in dem $name installiert werden soll, oder akzeptieren Sie das vorgegebene Verzeichnis."
expect-text "Zielverzeichnis wählen" $IDC_DEST_GROUP Zielverzeichnis
expect-text "Zielverzeichnis wählen" 2 Verlassen
expect-text "Zielverzeichnis wählen" 1 OK
SCRIPT
  proposal=$(e2e_drive text "Zielverzeichnis wählen" $IDC_DEST_DIR)
  # Cut to what the dialog's own OK accepts.
  e2e_eq "$code: the proposal is cut to 259" "${#proposal}" 259
  [ "$code" != eng ] && pictures+=("$(picture "Zielverzeichnis wählen" $IDC_DEST_DIR "destination-german-$lang")")
  e2e_drive click "Zielverzeichnis wählen" 2
  host_end
  e2e_eq "$code: Verlassen" "$(head -n1 <<<"$REPORT")" 'run=1 result=2'
done
e2e_eq "the German dialog under ru_RU looks as under C.UTF-8" "$(pixels_differ "${pictures[@]}")" 0

e2e_finish
