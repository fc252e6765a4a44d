#!/bin/bash
# A 1.9 GB installer, stored entries of random data made at test time,
# installs completely with the shipped programs and every byte arrives.
# The installer and the installation are removed afterwards, whatever the
# verdict: together they take 3.8 GB of disk.
# usage: install_large.sh DRIVER SETUP UNINSTALL VIEWER HOLDFILE MKINSTALLER WORKDIR SHOTDIR
source "$(dirname "$0")/install-lib.sh"
install_init "$@"

size=${LARGE_BYTES:-1900000000}
entries=8
app="Large Payload"
dest="$E2E_PROGRAM_FILES\\$app"
d=$(unix "$dest")

large_exit() {
  local status=$?
  rm -rf "$d" "$(installer_of large)"
  (exit "$status")
  install_exit
}
trap large_exit EXIT

free=$(df --output=avail -k "$E2E_WORK" | tail -n1)
if [ "$free" -lt $((size / 1024 * 2 + 1024 * 1024)) ]; then
  e2e_log "$((size / 1024 / 512)) MB of free disk needed in $E2E_WORK, $((free / 1024)) MB there"
  exit 1
fi

printf '#AppName\n%s\n#end\n' "$app" >"$(script_of large)"
e2e_check "the installer is made" python3 "$install_here/random_installer.py" make "$SETUP" \
  "$(installer_of large)" "$(script_of large)" --size "$size" --entries "$entries" --add "uninstall.exe=$UNINSTALLER"

start_setup large
e2e_eq "large: the proposed destination" "$(e2e_drive -t 60000 text "$CAP_DEST" $IDC_DEST_DIR)" "$dest"
choose_destination
choose_group
# The extraction takes a while: wait for its end before the usual checks.
E2E_TIMEOUT=900 e2e_drive -t 900000 wait "$CAP_DONE" >/dev/null
finish_setup "$app"

expected=$( {
  printf 'data/\nuninstall.dat\nuninstall.exe\n'
  for i in $(seq 0 $((entries - 1))); do printf 'data/part%02d.bin\n' "$i"; done
} | LC_ALL=C sort)
e2e_eq "large: the destination holds every entry" "$(tree "$d")" "$expected"
e2e_eq "large: every entry equal byte for byte" \
  "$(python3 "$install_here/random_installer.py" verify "$d" --size "$size" --entries "$entries" 2>&1)" ""
e2e_check "large: uninstall.exe equal byte for byte" cmp "$UNINSTALLER" "$d/uninstall.exe"
check_registration "$app" "$dest"

e2e_finish
