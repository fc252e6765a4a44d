#!/bin/bash
# Entries that cannot be extracted, made to fail for real: a file where a
# folder must go, and a file that another program holds open. Setup names
# the file and the cause and offers Retry and Cancel; Retry after the cause
# is gone completes the installation; Cancel stops it, and the installation
# is undone: an earlier one is as it was, byte for byte, and of a first one
# nothing remains.
# usage: install_failures.sh DRIVER SETUP UNINSTALL VIEWER HOLDFILE MKINSTALLER WORKDIR SHOTDIR
source "$(dirname "$0")/install-lib.sh"
install_init "$@"

RETRY=4
CANCEL=2
ADVICE='\n\nClose any program that may be using it and choose Retry, or choose Cancel to stop the installation.'
BAD_PATH="bin\\ could not be installed:\\nthe path is invalid or too long.$ADVICE"
IN_USE="app.dat could not be installed:\\nthe file is in use by another program.$ADVICE"

# failure_box TEXT WHAT: the extraction's message is up and reads TEXT.
failure_box() {
  appears Error "$2"
  e2e_eq "$SHOT_NAME: $2: the message" "$(e2e_drive text Error 65535)" "$1"
  e2e_eq "$SHOT_NAME: $2: Retry and Cancel" "$(e2e_drive text Error $RETRY)/$(e2e_drive text Error $CANCEL)" \
    "&Retry/Cancel"
}

# answer BUTTON: the click returns once the box has ended.
answer() {
  e2e_check "$SHOT_NAME: the box is answered" e2e_drive click Error "$1"
}

blocked_payload() {
  local payload
  payload=$(new_payload "$1")
  put "$payload" a.txt "before the folder"
  put "$payload" bin/tool.dat "the tool"
  put "$payload" z.txt "after the folder"
  make_installer "$1" "$payload" <<EOF
#AppName
$2
#Shortcuts
viewer.exe
$2
#end
EOF
}

# A file named "bin" stands where the folder bin\ must go: its folder entry
# fails, and Retry fails the same way until the file is gone.
retry_after_the_cause_is_gone() {
  local dest='C:\Apps\Blocked' d
  d=$(unix "$dest")
  blocked_payload blocker Blocker
  mkdir -p "$d" && echo "in the way" >"$d/bin"
  start_setup blocker
  choose_destination "$dest"
  confirm_existing
  choose_group
  failure_box "$BAD_PATH" first-failure
  answer $RETRY
  failure_box "$BAD_PATH" still-failing
  rm "$d/bin"
  answer $RETRY
  finish_setup Blocker
  check_files "$E2E_WORK/payloads/blocker" "$d" uninstall.dat
  check_record blocker "$dest" "$PROGRAMS\\Blocker"
  check_links blocker "$dest" "$PROGRAMS\\Blocker"
  check_registration Blocker "$dest"
}

# Cancel in a first installation into a folder that was there: nothing of
# it remains (no file, link, key or program group); the person's own files
# in that folder are untouched.
cancel_fresh_installation() {
  local dest='C:\Apps\Stopped' d
  d=$(unix "$dest")
  blocked_payload stopper Stopper
  mkdir -p "$d" && echo "in the way" >"$d/bin" && echo "mine" >"$d/z.txt"
  start_setup stopper
  choose_destination "$dest"
  confirm_existing
  choose_group
  failure_box "$BAD_PATH" failure
  answer $CANCEL
  undone Stopper
  setup_ends
  e2e_eq "stopper: only the person's files" "$(tree "$d")" "$(printf 'bin\nz.txt')"
  e2e_eq "stopper: the person's z.txt untouched" "$(cat "$d/z.txt")" mine
  e2e_check "stopper: not registered" not_registered Stopper
  check_links stopper "$dest" "$PROGRAMS\\Stopper" --absent
  e2e_check "stopper: the program group it made is gone" absent "$(unix "$PROGRAMS\\Stopper")"
}

# Each version has app.dat and abc.txt of its own (abc.txt is extracted
# before app.dat), and the files named.
lock_payload() {
  local payload
  payload=$(new_payload "$1")
  put "$payload" app.dat "$1 data"
  put "$payload" abc.txt "$1 abc"
  shift
  for file in "$@"; do put "$payload" "$file" "$file"; done
}

lock_installer() {
  make_installer "$1" "$E2E_WORK/payloads/$1" <<EOF
#AppName
Lock Test
#Shortcuts
viewer.exe
$2
#GeneratedFiles
$3
#end
EOF
}

lock_dest='C:\Apps\Lock'
lock_group="$PROGRAMS\\Lock Test"

# The installed app.dat is held open while a second version is installed:
# Retry while it is held fails again; after the program lets go it works.
retry_after_release() {
  local d
  d=$(unix "$lock_dest")
  lock_payload lock1 old.txt
  lock_installer lock1 "Lock Test" viewer.ini
  lock_payload lock2 new.txt
  lock_installer lock2 "Lock Test 2" viewer.ini
  start_setup lock1
  choose_destination "$lock_dest"
  choose_group
  finish_setup "Lock Test"

  e2e_check "lock2: another program holds app.dat" hold_file "$lock_dest\\app.dat"
  start_setup lock2
  choose_destination
  choose_group
  failure_box "$IN_USE" first-failure
  answer $RETRY
  failure_box "$IN_USE" still-held
  e2e_eq "lock2: the held file is untouched" "$(cat "$d/app.dat")" "lock1 data"
  release_file
  answer $RETRY
  finish_setup "Lock Test"
  check_files "$E2E_WORK/payloads/lock2" "$d" uninstall.dat
  check_record lock2 "$lock_dest" "$lock_group"
  check_links lock1 "$lock_dest" "$lock_group" --absent
  check_links lock2 "$lock_dest" "$lock_group"
}

# Cancel while app.dat is held, over the second version (abc.txt changed,
# new.txt no longer in it, aaa.txt new): the second version is back byte
# for byte, with its record, its registration and its links; its
# uninstaller then removes all of it.
cancel_over_earlier_installation() {
  local d
  d=$(unix "$lock_dest")
  snapshot lock2 "$d" "Lock Test"
  lock_payload lock3 aaa.txt zzz.txt
  lock_installer lock3 "Lock Test 3" lock3.log
  e2e_check "lock3: another program holds app.dat" hold_file "$lock_dest\\app.dat"
  start_setup lock3
  choose_destination
  choose_group
  failure_box "$IN_USE" failure
  answer $CANCEL
  undone "Lock Test"
  setup_ends
  release_file
  same_as lock2 "$d" "Lock Test"
  check_links lock2 "$lock_dest" "$lock_group"
  check_links lock3 "$lock_dest" "$lock_group" --absent

  uninstall "Lock Test"
  e2e_eq "lock3: the uninstaller removed the second version" "$(tree "$d")" uninstall.exe
  check_links lock2 "$lock_dest" "$lock_group" --absent
  e2e_check "lock3: the program group is gone" absent "$(unix "$lock_group")"
}

# Unattended, the held file stops the installation as Cancel does, and it
# is undone: exit code 1, the file, the cause and the rollback in the log,
# the first version as it was.
silent_stop_at_held_file() {
  local d
  d=$(unix "$lock_dest")
  silent_setup lock1 lock1-silent /S "/D=$lock_dest"
  e2e_eq "lock1-silent: exit code" "$SILENT_EXIT" 0
  snapshot lock1 "$d" "Lock Test"
  e2e_check "lock2-silent: another program holds app.dat" hold_file "$lock_dest\\app.dat"
  silent_setup lock2 lock2-silent /S
  release_file
  e2e_eq "lock2-silent: exit code" "$SILENT_EXIT" 1
  log_says lock2-silent "Error: app.dat could not be installed: the file is in use by another program." \
    "installation stopped at: app.dat" "rollback: everything undone" \
    "Installation Undone: The installation of Lock Test did not complete and was undone. The computer is as it was before: an earlier installation works as it did." \
    "exit code: 1"
  same_as lock1 "$d" "Lock Test"
  check_links lock1 "$lock_dest" "$lock_group"
}

# Unattended, uninstall.dat cannot be written (a folder of that name is in
# the way): without it the installation could not be removed, so it is
# undone, with exit code 1; the folder in the way is the person's and stays,
# and the registration of the installation elsewhere is untouched.
silent_record_not_written() {
  local dest='C:\Apps\NoRecord' d
  d=$(unix "$dest")
  mkdir -p "$d/uninstall.dat"
  lock_payload norecord
  lock_installer norecord "No Record" norecord.log
  silent_setup norecord norecord-silent /S "/D=$dest"
  e2e_eq "norecord-silent: exit code" "$SILENT_EXIT" 1
  log_says norecord-silent "Error: Uninstall Information could not be saved!" "rollback: everything undone" \
    "exit code: 1"
  e2e_eq "norecord-silent: only the folder in the way" "$(tree "$d")" "uninstall.dat/"
  # The application's entry still names the installation before it.
  check_registration "Lock Test" "$lock_dest"
}

# Setup killed (taskkill /F) while its extraction waits at the held app.dat
# of a reinstall, abc.txt already replaced: its journal stays. The next
# setup undoes that installation first, says so in its log, and then
# installs completely.
killed_during_reinstall() {
  local d
  d=$(unix "$lock_dest")
  e2e_check "killed: another program holds app.dat" hold_file "$lock_dest\\app.dat"
  mkdir -p "$E2E_WORK/logs"
  start_setup lock2 killed "/LOG=$(e2e_winpath "$(log_of killed)")"
  choose_destination
  choose_group
  failure_box "$IN_USE" waiting
  e2e_eq "killed: abc.txt was replaced already" "$(cat "$d/abc.txt")" "lock2 abc"
  # Killed as a power loss would: every wine process of the installer,
  # the elevated second start too (an unelevated taskkill cannot end it);
  # only this test's, named by their path: the other flavour's suite may
  # be running the same installer meanwhile.
  e2e_run taskkill /F /IM lock2.exe >/dev/null 2>&1
  pkill -KILL -f "$(e2e_winpath "$(installer_of lock2)" | sed 's/[][\\.*^$]/\\&/g')" 2>/dev/null
  e2e_wait_exit 30
  e2e_check "killed: setup is gone (no wait ran out)" [ "$?" != 124 ]
  release_file
  # The log was written line by line: what happened before the kill is in it.
  log_says killed "installed: abc.txt"
  e2e_check "killed: its journal is left" [ -f "$d/~setup-rollback/journal.txt" ]
  # The uninstaller refuses to remove anything beside it, naming the setup.
  local log
  log=$(log_of killed-uninstall)
  mkdir -p "$(dirname "$log")"
  e2e_start "$lock_dest\\uninstall.exe" /S "/LOG=$(e2e_winpath "$log")"
  e2e_wait_exit 60
  e2e_eq "killed: the uninstaller's exit code" "$?" 4
  e2e_check "killed: the uninstaller names the setup to run" \
    grep -q "^Error: This installation did not finish. Run .*lock2.exe again: it restores the earlier one" \
    <(log_lines "$log")
  e2e_eq "killed: the uninstaller removed nothing" "$(cat "$d/abc.txt")" "lock2 abc"
  silent_setup lock2 after-kill /S
  e2e_eq "after-kill: exit code" "$SILENT_EXIT" 0
  log_says after-kill "rollback: everything undone" "exit code: 0"
  e2e_check "after-kill: the log names the unfinished installation" \
    grep -q "^unfinished installation: $(printf '%s' "$lock_dest" | sed 's/\\/\\\\/g') (by .*lock2.exe): undoing it first" \
    <(log_lines "$(log_of after-kill)")
  check_files "$E2E_WORK/payloads/lock2" "$d" uninstall.dat
  check_record lock2 "$lock_dest" "$lock_group"
  check_registration "Lock Test" "$lock_dest"
}

retry_after_the_cause_is_gone
cancel_fresh_installation
retry_after_release
cancel_over_earlier_installation
silent_stop_at_held_file
silent_record_not_written
killed_during_reinstall
e2e_finish
