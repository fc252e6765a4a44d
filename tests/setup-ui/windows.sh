#!/bin/bash
# setup's windows as a person meets them: setup.exe with an overlay, run in
# wine's 1024x768 virtual desktop and worked through the e2e driver. Every
# window is kept as a screenshot.
# usage: windows.sh DRIVER.EXE SETUP.EXE WORKDIR SHOTDIR
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../e2e/lib.sh"
export E2E_DRIVER=$1
setup=$2
shots=$4
e2e_init "$3" || exit 1
mkdir -p "$shots"

payloads="$E2E_WORK/payloads"
rm -rf "$payloads"
mkdir -p "$payloads/small/docs" "$payloads/many"

# Three small files; and 1,500 files of 2,000 bytes, enough to watch the
# progress dialog at work under wine.
head -c 1000 /dev/urandom >"$payloads/small/a.bin"
head -c 2000 /dev/urandom >"$payloads/small/docs/b.txt"
head -c 7000 /dev/urandom >"$payloads/small/c.bin"
(cd "$payloads/small" && zip -X -q "$payloads/small.zip" a.bin docs/b.txt c.bin)
for i in $(seq 1500); do head -c 2000 /dev/urandom >"$payloads/many/file$i.dat"; done
(cd "$payloads/many" && zip -X -q -0 -r "$payloads/many.zip" .)

long_line="This line is far longer than the agreement box is wide and stays one line: $(printf 'terms%.0s ' $(seq 40))end."

# installer NAME ZIP: setup.exe with the script from stdin and the archive.
installer() {
  cat >"$payloads/$1.txt"
  "$here/make-installer.sh" "$setup" "$payloads/$1.exe" "$payloads/$1.txt" "$2"
}

# Every program of the test's prefix runs in its 1024x768 virtual desktop.
run_installer() {
  e2e_start "$(e2e_winpath "$1")"
}

keep_shot() {
  local file
  file=$(e2e_shot "$1") && cp "$file" "$shots/$1.png" && echo "$file"
}

# count_colour PNG GEOMETRY #RRGGBB: pixels of that colour in the region.
count_colour() {
  /usr/bin/convert "$1" -crop "$2" +repage -depth 8 -format %c histogram:info:- |
    awk -v c="$3" 'toupper($0) ~ toupper(c) { sub(":", "", $1); n += $1 } END { print n + 0 }'
}

startup_box_shown() {
  e2e_drive windows | grep -q 'class=#32770 visible=1 .*caption=""'
}

not() { ! "$@"; }

installed() {
  e2e_unixpath "C:\\$1"
}

# through_dialogs DEST_CAPTION MENU_CAPTION DEST: answers the destination
# and start-menu dialogs as a person would, installing into DEST.
through_dialogs() {
  e2e_drive wait "$1" 30000 >/dev/null &&
    e2e_drive type "$1" $IDC_DEST_DIR "$3" && e2e_drive click "$1" 1 &&
    e2e_drive wait "$2" 30000 >/dev/null && e2e_drive click "$2" 1
}

# finish CAPTION: the completion message is answered.
finish() {
  e2e_drive wait "$1" 60000 >/dev/null && e2e_drive click "$1" 1
}

# ---- 1. English agreement over the background; Yes installs ----
installer eng "$payloads/small.zip" <<EOF
#AppName
Demo App
#Agreement
Please read these terms.
$long_line
#end
EOF
run_installer "$payloads/eng.exe"
e2e_check "the agreement appears" e2e_drive wait "Agreement" 30000
shot=$(keep_shot agreement-eng)
e2e_eq "the question" "$(e2e_drive text Agreement $IDC_QUESTION)" "Do you accept the terms stated above?"
e2e_eq "the Yes button" "$(e2e_drive text Agreement 1)" "Yes"
e2e_eq "the No button" "$(e2e_drive text Agreement 2)" "No"
e2e_eq "the agreement text, up to the next '#'" "$(e2e_drive text Agreement $IDC_AGREEMENT_TEXT)" \
  "Please read these terms.\\r\\n$long_line\\r\\n"
e2e_eq "the background covers the screen" "$(e2e_drive rect "Demo App - Setup")" "0 0 1024 768"
read -r ax ay aw ah < <(e2e_drive rect Agreement)
e2e_eq "the agreement is centred over the background" "$((ax + aw / 2)),$((ay + ah / 2))" "512,384"
e2e_eq "row 0 of the background is black" "$(e2e_pixel "$shot" 1000 0)" "#000000"
e2e_eq "row 384 has grey level 128" "$(e2e_pixel "$shot" 1000 384)" "#808080"
e2e_eq "row 767 is white" "$(e2e_pixel "$shot" 1000 767)" "#FFFFFF"
white=$(count_colour "$shot" 460x60+30+30 "#FFFFFF")
shadow=$(count_colour "$shot" 460x60+30+30 "#555555")
e2e_check "the title is painted in white ($white pixels)" [ "$white" -gt 500 ]
e2e_check "... with its grey shadow ($shadow pixels)" [ "$shadow" -gt 100 ]
e2e_check "the startup box is gone" not startup_box_shown
e2e_check "Yes accepts" e2e_drive click Agreement 1
e2e_check "destination and program group chosen" \
  through_dialogs "Destination Directory" "Start Menu Folder" 'C:\Demo App'
e2e_check "the completion message" finish "Installation Complete"
e2e_wait_exit 60
e2e_eq "setup ends after the installation" "$?" 0
dest=$(installed "Demo App")
e2e_eq "a.bin is installed" "$(stat -c %s "$dest/a.bin" 2>&1)" 1000
e2e_eq "docs\\b.txt is installed" "$(stat -c %s "$dest/docs/b.txt" 2>&1)" 2000
e2e_eq "c.bin is installed" "$(stat -c %s "$dest/c.bin" 2>&1)" 7000

# ---- 2. German agreement; Nein ends setup with nothing installed ----
installer ger "$payloads/small.zip" <<'EOF'
#AppName
Beispiel
#Language
GER
#Agreement
Bitte lesen Sie diese Bedingungen.
#end
EOF
run_installer "$payloads/ger.exe"
e2e_check "the German agreement appears" e2e_drive wait "Vereinbarung" 30000
keep_shot agreement-ger >/dev/null
e2e_eq "the German question" "$(e2e_drive text Vereinbarung $IDC_QUESTION)" "Akzeptieren Sie die obengenannten Bedingungen?"
e2e_eq "the Ja button" "$(e2e_drive text Vereinbarung 1)" "Ja"
e2e_eq "the Nein button" "$(e2e_drive text Vereinbarung 2)" "Nein"
e2e_check "Nein refuses" e2e_drive click Vereinbarung 2
e2e_wait_exit 30
e2e_eq "setup ends after Nein" "$?" 0
e2e_check "nothing is installed after Nein" [ ! -e "$(installed Beispiel)" ]

# ---- 3. Another language code: the agreement stays English; the close box refuses ----
installer fra "$payloads/small.zip" <<'EOF'
#AppName
Exemple
#Language
FRA
#Agreement
Conditions.
#end
EOF
run_installer "$payloads/fra.exe"
e2e_check "an English agreement appears for FRA" e2e_drive wait "Agreement" 30000
e2e_eq "the English question for FRA" "$(e2e_drive text Agreement $IDC_QUESTION)" "Do you accept the terms stated above?"
e2e_check "the close box refuses" e2e_drive close Agreement
e2e_wait_exit 30
e2e_eq "setup ends after the close box" "$?" 0
e2e_check "nothing is installed after the close box" [ ! -e "$(installed Exemple)" ]

# ---- 4. No #AppName, an empty agreement block, German: no agreement, on to the progress dialog ----
installer plain "$payloads/many.zip" <<'EOF'
#Language
GER
#Agreement
#end
EOF
run_installer "$payloads/plain.exe"
e2e_check "no agreement: the German destination dialog comes first" through_dialogs \
  'Zielverzeichnis w\xe4hlen' 'Startmen\xfcverzeichnis w\xe4hlen' 'C:\Application'
# The extraction is over in a second or two: the progress dialog is read
# in one driver start, from the moment it appears.
progress=$(e2e_script <<SCRIPT
wait Installation 30000
progress Installation $IDC_PROGRESS
text Installation $IDC_CURRENT_FILE
text Installation $IDC_CURRENT_GROUP
text Installation $IDC_PROGRESS_GROUP
text Installation $IDC_PLEASE_WAIT
windows
SCRIPT
)
e2e_eq "the progress dialog appears" "$?" 0
shot=$(keep_shot progress-ger)
read -r low high pos <<<"$(sed -n 1p <<<"$progress")"
current=$(sed -n 2p <<<"$progress")
e2e_eq "the background's title uses the default name" "$(e2e_drive caption "Application*")" "Application - Setup"
e2e_eq "group box Aktuell" "$(sed -n 3p <<<"$progress")" "Aktuell"
e2e_eq "group box Fortschritt" "$(sed -n 4p <<<"$progress")" "Fortschritt"
e2e_eq "the hint" "$(sed -n 5p <<<"$progress")" "Bitte warten..."
e2e_eq "the bar's range is the payload's size" "$low $high" "0 3000000"
e2e_check "the bar stands within its range ($pos)" [ "$pos" -ge 0 -a "$pos" -le 3000000 ]
# The name may change between the driver's two messages (length, text):
# look at its start only.
e2e_check "the current file is an entry of the archive ($current)" [ "${current:0:4}" = file ]
e2e_eq "the progress dialog takes no input" \
  "$(sed -n '6,$p' <<<"$progress" | grep -c 'visible=1 enabled=0 .*caption="Installation"')" 1
white=$(count_colour "$shot" 560x60+30+30 "#FFFFFF")
e2e_check "the title Application - Setup is painted ($white pixels)" [ "$white" -gt 500 ]
e2e_check "the German completion message" finish "Installation beendet"
e2e_wait_exit 120
e2e_eq "setup ends after the installation" "$?" 0
e2e_eq "every file is installed, and uninstall.dat" "$(ls "$(installed Application)" | wc -l)" 1501

# ---- 5. A file without an overlay: the message over the startup box ----
run_installer "$setup"
e2e_check "the error box appears" e2e_drive wait "Error" 30000
keep_shot startup-and-error >/dev/null
e2e_eq "the message" "$(e2e_drive text Error 65535)" "The installation file is corrupt!"
e2e_check "the startup box stays up under the message" startup_box_shown
e2e_check "OK closes it" e2e_drive click Error 1
e2e_wait_exit 30
e2e_eq "setup ends after the message" "$?" 0

# ---- 6. An installer whose archive is cut short: the same message ----
installer cut "$payloads/small.zip" <<'EOF'
#AppName
Cut Short
#end
EOF
truncate -s -30 "$payloads/cut.exe"  # the end record is gone
run_installer "$payloads/cut.exe"
e2e_check "the error box appears for a cut installer" e2e_drive wait "Error" 30000
e2e_eq "the message for a cut installer" "$(e2e_drive text Error 65535)" "The installation file is corrupt!"
e2e_check "OK closes it" e2e_drive click Error 1
e2e_wait_exit 30
e2e_eq "setup ends after the message" "$?" 0

# ---- 7. The installer cut while setup runs: the first entry reads short ----
installer shrinking "$payloads/small.zip" <<'EOF'
#AppName
Shrinking
#end
EOF
run_installer "$payloads/shrinking.exe"
e2e_check "the destination dialog of the installer about to be cut" e2e_drive wait "Destination Directory" 30000
# Forty bytes into the archive: behind a.bin's local header, most of its
# data is gone.
truncate -s $(($(stat -c %s "$payloads/shrinking.exe") - $(stat -c %s "$payloads/small.zip") + 40)) \
  "$payloads/shrinking.exe"
e2e_check "destination and program group chosen" \
  through_dialogs "Destination Directory" "Start Menu Folder" 'C:\Shrinking'
e2e_check "the extraction's error box appears" e2e_drive wait Error 30000
keep_shot cut-while-running >/dev/null
e2e_eq "the message names the file and the damage" "$(e2e_drive text Error 65535)" \
  'a.bin could not be installed:\nthe installation file is damaged.\n\nClose any program that may be using it and choose Retry, or choose Cancel to stop the installation.'
e2e_check "Cancel stops the installation" e2e_drive click Error 2
e2e_check "the installation is undone and says so" e2e_drive wait "Installation Undone" 30000
e2e_eq "the message of the undone installation" "$(e2e_drive text "Installation Undone" 65535)" \
  'The installation of Shrinking did not complete and was undone.\nThe computer is as it was before: an earlier installation works as it did.'
e2e_check "OK closes it" e2e_drive click "Installation Undone" 1
e2e_wait_exit 30
e2e_eq "setup ends after Cancel" "$?" 0
e2e_eq "the destination it made is gone" "$(test -e "$(e2e_unixpath 'C:\Shrinking')" && echo there)" ''

e2e_finish
