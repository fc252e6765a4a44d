#!/bin/bash
# The ways out of setup: "No" to the agreement, "Exit" in the destination
# dialog, and "Back" from the start-menu dialog, which removes the
# destination while it is empty and shows the destination dialog again.
# usage: install_exits.sh DRIVER SETUP UNINSTALL VIEWER HOLDFILE MKINSTALLER WORKDIR SHOTDIR
source "$(dirname "$0")/install-lib.sh"
install_init "$@"

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
  e2e_eq "$SHOT_NAME: the proposal again" "$(e2e_drive text "$CAP_DEST" 1005)" "$proposal"
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

back_then_finish() {
  local first='C:\Apps\First' second='C:\Apps\Second'
  start_setup exits exits-finish
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
}

refuse_agreement
exit_at_destination
back_then_exit
back_from_full_destination
back_from_existing_empty_destination
back_then_finish
e2e_finish
