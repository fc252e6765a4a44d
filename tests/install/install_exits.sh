#!/bin/bash
# The ways out of setup: "No" to the agreement, "Exit" in the destination
# dialog, and "Back" from the start-menu dialog, which removes the
# destination while it is empty and shows the destination dialog again; and
# a disk that another program fills while setup installs onto it.
# Unattended (/S), every refusal: its exit code, its reason in the log, and
# nothing installed.
# usage: install_exits.sh DRIVER SETUP UNINSTALL VIEWER HOLDFILE MKINSTALLER WORKDIR SHOTDIR
# A drive of 1 MiB (tmpfs) gives the refusal for want of space, and one of
# 6 MiB is filled during an installation; they need a private mount
# namespace, so the script runs itself again inside one where it can.
# Mounted before the first wine command, as the WoW64 root needs.
if [ -z "$INSTALL_MOUNT_NS" ] && unshare -m true 2>/dev/null; then
  INSTALL_MOUNT_NS=1 exec unshare -m bash "$0" "$@"
fi
small=$7/small filling=$7/filling
mkdir -p "$small" "$filling"
[ -n "$INSTALL_MOUNT_NS" ] && mount -t tmpfs -o size=1m tmpfs "$small" && mount -t tmpfs -o size=6m tmpfs "$filling"
source "$(dirname "$0")/install-lib.sh"
install_init "$@"
small=$E2E_WORK/small filling=$E2E_WORK/filling

app="Exit Test"
proposal="$E2E_PROGRAM_FILES\\$app"

payload=$(new_payload exits)
put "$payload" notes.txt "notes"
make_installer exits "$payload" <<'EOF'
#AppName
Exit Test
#Agreement
Terms.
#Shortcuts
viewer.exe
Exit Test
#end
EOF

# Nothing of the application anywhere: no destination, no key, no group.
nothing_installed() {
  e2e_check "$SHOT_NAME: no destination" absent "$(unix "$proposal")"
  e2e_check "$SHOT_NAME: not registered" not_registered "$app"
  e2e_check "$SHOT_NAME: no program group" absent "$(unix "$PROGRAMS\\$app")"
}

refuse_agreement() {
  start_setup exits exits-no
  appears "$CAP_AGREEMENT" agreement
  e2e_check "no: the agreement is refused" e2e_drive click "$CAP_AGREEMENT" 2
  setup_ends
  nothing_installed
}

exit_at_destination() {
  start_setup exits exits-exit
  agree
  appears "$CAP_DEST" destination
  e2e_check "exit: Exit is pressed" e2e_drive click "$CAP_DEST" 2
  setup_ends
  nothing_installed
}

# back_from_group: from the start-menu dialog back to the destination
# dialog, which shows the proposal again.
back_from_group() {
  appears "$CAP_GROUP" start-menu
  e2e_check "$SHOT_NAME: Back is pressed" e2e_drive click "$CAP_GROUP" 2
  appears "$CAP_DEST" destination-again
  e2e_eq "$SHOT_NAME: the proposal again" "$(e2e_drive text "$CAP_DEST" $IDC_DEST_DIR)" "$proposal"
}

back_then_exit() {
  start_setup exits exits-back
  agree
  choose_destination
  e2e_check "back: OK made the destination" [ -d "$(unix "$proposal")" ]
  back_from_group
  e2e_check "back: the empty destination is gone" absent "$(unix "$proposal")"
  e2e_check "back: Exit is pressed" e2e_drive click "$CAP_DEST" 2
  setup_ends
  nothing_installed
}

# A destination that holds files is no longer empty: Back leaves it.
back_from_full_destination() {
  local full='C:\Apps\Full'
  mkdir -p "$(unix 'C:\Apps')/Full" && echo mine >"$(unix "$full")/mine.txt"
  start_setup exits exits-full
  agree
  choose_destination "$full"
  confirm_existing
  back_from_group
  e2e_eq "full: Back leaves a folder that holds files" "$(tree "$(unix "$full")")" mine.txt
  e2e_check "full: Exit is pressed" e2e_drive click "$CAP_DEST" 2
  setup_ends
  nothing_installed
}

# An empty folder that was there before setup, accepted after "Directory
# already exists... Continue?": Back leaves it, as it leaves everything setup
# did not make.
back_from_existing_empty_destination() {
  local empty='C:\Apps\Empty'
  mkdir -p "$(unix "$empty")"
  start_setup exits exits-empty
  agree
  choose_destination "$empty"
  confirm_existing
  back_from_group
  e2e_check "empty: Back leaves the folder that was there before" [ -d "$(unix "$empty")" ]
  e2e_check "empty: Exit is pressed" e2e_drive click "$CAP_DEST" 2
  setup_ends
  nothing_installed
}

# With a log: the person's decisions and the outcome are in it.
back_then_finish() {
  local first='C:\Apps\First' second='C:\Apps\Second'
  mkdir -p "$E2E_WORK/logs" && rm -f "$(log_of exits-finish)"
  start_setup exits exits-finish "/LOG=$(e2e_winpath "$(log_of exits-finish)")"
  agree
  choose_destination "$first"
  back_from_group
  e2e_check "finish: the first destination is gone" absent "$(unix "$first")"
  choose_destination "$second"
  choose_group
  finish_setup "$app"
  check_files "$payload" "$(unix "$second")" uninstall.dat
  check_record exits "$second" "$PROGRAMS\\$app"
  check_links exits "$second" "$PROGRAMS\\$app"
  check_registration "$app" "$second"
  e2e_check "finish: nothing in the first destination" absent "$(unix "$first")"
  log_says exits-finish "destination: $second" "start menu: Current User" \
    "program group folder: $PROGRAMS\\$app" 'installed: notes.txt' \
    "Installation Complete: $app is now installed on your computer. Use the start menu to run the application." \
    "exit code: 0"
}

# refused RUN CODE LINE ARGS...: installer "exits" run with ARGS ends with
# CODE, its log says LINE, and nothing is installed.
refused() {
  local run=$1 code=$2 line=$3
  shift 3
  silent_setup exits "$run" "$@"
  e2e_eq "$run: exit code" "$SILENT_EXIT" "$code"
  log_says "$run" "$line" "exit code: $code"
  nothing_installed
}

silent_refusals() {
  # /D= takes absolute paths only: "C:Tools" is relative to whatever is
  # current on drive C:.
  local form='destination refused: The path must be absolute: X:\Path or \\server\share\Path'
  refused silent-form 3 "$form" /S /D=Tools
  refused silent-relative 3 "$form" /S /D=C:Tools
  mkdir -p "$(unix 'C:\Apps')" && touch "$(unix 'C:\Apps')/Afile"
  refused silent-file 3 \
    'destination refused: A file of the same name already exists. Please Choose a different location.' \
    /S '/D=C:\Apps\Afile'
  e2e_check "silent-file: the file is still a file" [ -f "$(unix 'C:\Apps\Afile')" ]
  if mountpoint -q "$small"; then
    ln -sfn "$small" "$WINEPREFIX/dosdevices/m:"
    local blocks size total short
    read -r blocks size < <(stat -f -c '%a %S' "$small")
    total=$(find "$payload" -type f -printf '%s\n' | awk '{ n += $1 } END { print n }')
    short=$(((total + 0x300000 - blocks * size) / 1024))
    refused silent-space 3 "destination refused: Not enough disk space. Leave Setup and free at least $short KB \
on drive M: or choose a different drive." /S '/D=m:\Exit Test'
    # The same drive as a share: its root is asked, and named.
    mkdir -p "$WINEPREFIX/dosdevices/unc/e2eserver" && ln -sfn "$small" "$WINEPREFIX/dosdevices/unc/e2eserver/small"
    refused silent-space-share 3 "destination refused: Not enough disk space. Leave Setup and free at least \
$short KB on drive \\\\e2eserver\\small or choose a different drive." /S '/D=\\e2eserver\small\Exit Test'
    e2e_check "silent-space: nothing on the full drive" [ -z "$(ls -A "$small")" ]
  else
    e2e_log "no private mount namespace: the refusal for want of space is not tried"
  fi
  # The proposed destination is made, and goes again with the refusal.
  refused silent-group 3 'program group refused: Please enter the name of a folder within the start menu.' \
    /S '/GROUP=..\Outside'
  e2e_check "silent-group: nothing beside the Programs folder" absent "$(unix "$PROGRAMS")/../Outside"
  refused silent-option 2 'not understood: unknown option: /X' /S /X
  refused silent-scopes 2 'not understood: /ALLUSERS and /CURRENTUSER exclude each other' \
    /CURRENTUSER /S /ALLUSERS

  # No log where none can be written: exit code 2, before anything else.
  SHOT_NAME=silent-log
  e2e_start "$(e2e_winpath "$(installer_of exits)")" /S '/LOG=C:\No Such Folder\setup.log'
  e2e_wait_exit 60
  e2e_eq "silent-log: exit code" "$?" 2
  nothing_installed

  # A damaged installer (its archive cut short): the startup message goes
  # to the log, and the exit code is 4.
  python3 - "$(installer_of exits)" "$(installer_of damaged)" <<'PY'
import sys
data = open(sys.argv[1], 'rb').read()
marker = b'-over' + b'lay2-'  # never whole in a file that setup might read
open(sys.argv[2], 'wb').write(data[:data.index(marker) + len(marker) + 1000])
PY
  silent_setup damaged silent-damaged /S
  e2e_eq "silent-damaged: exit code" "$SILENT_EXIT" 4
  log_says silent-damaged "Error: The installation file is corrupt!" "exit code: 4"
  nothing_installed
}

# Without /S setup shows its windows whatever the arguments; the watch
# that finds none in the unattended runs sees them.
arguments_without_silent() {
  SHOT_NAME=damaged-gui
  SHOT_STEP=0
  e2e_watch_start damaged.exe
  e2e_start "$(e2e_winpath "$(installer_of damaged)")" /X
  appears Error corrupt
  e2e_eq "damaged-gui: the message" "$(e2e_drive text Error 65535)" "The installation file is corrupt!"
  e2e_drive click Error 1 >/dev/null
  setup_ends
  e2e_check "damaged-gui: the watch saw the message" grep -q 'visible=1 .* caption="Error"' <(e2e_watch_end)

  SHOT_NAME=exits-args
  SHOT_STEP=0
  e2e_start "$(e2e_winpath "$(installer_of exits)")" /X /D=C:\Elsewhere
  appears "$CAP_AGREEMENT" agreement
  e2e_check "args: the agreement is refused" e2e_drive click "$CAP_AGREEMENT" 2
  setup_ends
  nothing_installed
}

# The drive had room when the destination was chosen; another program fills
# it before the extraction: the failure names the full disk, and Cancel
# undoes the installation, which leaves nothing on the drive but the other
# program's file.
disk_filled_meanwhile() {
  if ! mountpoint -q "$filling"; then
    e2e_log "no private mount namespace: the disk filled during an installation is not tried"
    return
  fi
  ln -sfn "$filling" "$WINEPREFIX/dosdevices/n:"
  local payload blocks size
  payload=$(new_payload filling)
  head -c 1048576 /dev/urandom >"$payload/big.bin"
  put "$payload" small.txt "small"
  make_installer filling "$payload" <<'EOF'
#AppName
Filling
#end
EOF
  start_setup filling filling
  choose_destination 'N:\Filling'
  appears "$CAP_GROUP" start-menu
  read -r blocks size < <(stat -f -c '%a %S' "$filling")
  # All but 64 KiB, enough for setup's journal and not for big.bin.
  [ $((blocks * size)) -gt 65536 ] && head -c $((blocks * size - 65536)) /dev/zero >"$filling/other program's file"
  choose_group
  appears Error disk-full
  e2e_eq "filling: the message names the full disk" "$(e2e_drive text Error 65535)" \
    'big.bin could not be installed:\nThere is not enough space on the disk.\n\nClose any program that may be using it and choose Retry, or choose Cancel to stop the installation.'
  e2e_check "filling: Cancel" e2e_drive click Error 2
  undone Filling
  setup_ends
  e2e_eq "filling: only the other program's file" "$(tree "$filling")" "other program's file"
  e2e_check "filling: not registered" not_registered Filling
  e2e_check "filling: no program group" absent "$(unix "$PROGRAMS\\Filling")"
}

refuse_agreement
exit_at_destination
back_then_exit
back_from_full_destination
back_from_existing_empty_destination
silent_refusals
arguments_without_silent
back_then_finish
disk_filled_meanwhile
e2e_finish
