# install-lib.sh: whole installations under wine, on top of tests/e2e/lib.sh.
# Payload folders and installers made at test time, setup.exe driven through
# its dialogs as a person would, the result checked against the payload and
# the script, and uninstall.exe run as its registration says. Every step is
# kept as a screenshot.
#
# A test script calls install_init with the arguments ctest passes:
#   DRIVER SETUP UNINSTALL VIEWER HOLDFILE MKINSTALLER WORKDIR SHOTDIR

install_here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$install_here/../e2e/lib.sh"

UNINSTALL_KEY='HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall'
RUNONCE_KEY='HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\RunOnce'
USER_FOLDERS='HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders'
COMMON_FOLDERS='HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders'

install_init() {
  export E2E_DRIVER=$(realpath "$1")
  SETUP=$(realpath "$2")
  UNINSTALLER=$(realpath "$3")
  VIEWER=$(realpath "$4")
  HOLDFILE=$(realpath "$5")
  MKINSTALLER=$6
  SHOTS=$8
  [ -x "$MKINSTALLER" ] || { echo "mkinstaller not found: $MKINSTALLER (build the host flavour first)" >&2; exit 1; }
  e2e_init "$7" || exit 1
  trap install_exit EXIT
  rm -rf "$SHOTS" "$E2E_WORK/payloads" "$E2E_WORK/installers"
  mkdir -p "$SHOTS" "$E2E_WORK/payloads" "$E2E_WORK/installers"
  local folders
  folders=$(e2e_reg_values "$USER_FOLDERS")
  PROGRAMS=$(e2e_value_in Programs <<<"$folders")
  STARTUP=$(e2e_value_in Startup <<<"$folders")
  DESKTOP=$(e2e_value_in Desktop <<<"$folders")
  FONTS=$(e2e_value_in Fonts <<<"$folders")
  COMMON_PROGRAMS=$(e2e_reg_values "$COMMON_FOLDERS" | e2e_value_in 'Common Programs')
  use_language ENG
}

# The screenshots are kept whatever the verdict.
install_exit() {
  local status=$?
  cp "$E2E_WORK"/shots/*.png "$SHOTS/" 2>/dev/null
  (exit "$status")
  e2e_cleanup
}

# use_language ENG|GER: the captions setup shows in that language.
use_language() {
  if [ "$1" = GER ]; then
    CAP_AGREEMENT=Vereinbarung
    QUESTION="Akzeptieren Sie die obengenannten Bedingungen?"
    CAP_DEST="Zielverzeichnis wählen"
    CAP_GROUP="Startmenüverzeichnis wählen"
    CAP_PROGRESS=Installation
    CAP_DONE="Installation beendet"
    DONE_TEXT=" wurde erfolgreich installiert!"
  else
    CAP_AGREEMENT=Agreement
    QUESTION="Do you accept the terms stated above?"
    CAP_DEST="Destination Directory"
    CAP_GROUP="Start Menu Folder"
    CAP_PROGRESS=Installing
    CAP_DONE="Installation Complete"
    DONE_TEXT=' is now installed on your computer.\nUse the start menu to run the application.\n'
  fi
}

# ---- payloads and installers ----

# new_payload NAME: an empty payload folder with the uninstaller and the
# application in it; prints its path.
new_payload() {
  local dir="$E2E_WORK/payloads/$1"
  chmod -R u+w "$dir" 2>/dev/null
  rm -rf "$dir" && mkdir -p "$dir" || return 1
  cp "$UNINSTALLER" "$dir/uninstall.exe" && cp "$VIEWER" "$dir/viewer.exe" || return 1
  echo "$dir"
}

# put PAYLOAD RELPATH TEXT: a file of the payload with that content.
put() {
  mkdir -p "$(dirname "$1/$2")" && printf '%s\n' "$3" >"$1/$2"
}

# make_installer NAME PAYLOAD: the installer $E2E_WORK/installers/NAME.exe
# from the payload and the script on stdin (LF line ends, UTF-8).
make_installer() {
  local script="$E2E_WORK/installers/$1.txt"
  cat >"$script"
  "$MKINSTALLER" build --stub "$SETUP" --script "$script" --payload "$2" -o "$E2E_WORK/installers/$1.exe" \
    >>"$E2E_WORK/mkinstaller.log" 2>&1 || { e2e_log "mkinstaller failed for $1"; return 1; }
}

installer_of() { echo "$E2E_WORK/installers/$1.exe"; }
# sign_installer NAME SIGNED: installer SIGNED is NAME signed as publishers
# sign theirs, with osslsigncode and a certificate made here
# ($E2E_WORK/signing/cert.pem).
sign_installer() {
  local dir="$E2E_WORK/signing" from to
  from=$(installer_of "$1")
  to=$(installer_of "$2")
  mkdir -p "$dir"
  openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Installer Test Publisher" \
    -keyout "$dir/key.pem" -out "$dir/cert.pem" >"$dir/openssl.log" 2>&1 || { e2e_log "openssl failed"; return 1; }
  osslsigncode sign -certs "$dir/cert.pem" -key "$dir/key.pem" -n "$2" -in "$from" -out "$to" \
    >"$dir/sign.log" 2>&1 || { e2e_log "osslsigncode sign failed: $(cat "$dir/sign.log")"; return 1; }
}

script_of() { echo "$E2E_WORK/installers/$1.txt"; }

# ---- driving setup ----

# start_setup NAME [RUN [ARGS...]]: runs installer NAME with ARGS; the
# checks and screenshots of this run are named RUN (default NAME).
start_setup() {
  SHOT_NAME=${2:-$1}
  SHOT_STEP=0
  e2e_start "$(e2e_winpath "$(installer_of "$1")")" "${@:3}"
}

# step WHAT: a screenshot of this step of the current run.
step() {
  SHOT_STEP=$((SHOT_STEP + 1))
  e2e_shot "$(printf '%s-%02d-%s' "$SHOT_NAME" "$SHOT_STEP" "$1")" >/dev/null
}

# appears CAPTION WHAT: waits for the window and keeps a screenshot of it.
appears() {
  e2e_check "$SHOT_NAME: $2 appears" e2e_drive wait "$1" 30000 && step "$2"
}

agree() {
  appears "$CAP_AGREEMENT" agreement
  e2e_eq "$SHOT_NAME: the question" "$(e2e_drive text "$CAP_AGREEMENT" $IDC_QUESTION)" "$QUESTION"
  e2e_check "$SHOT_NAME: the agreement is accepted" e2e_drive click "$CAP_AGREEMENT" 1
}

# type_text CAPTION ID TEXT: types the text and sees that the control holds
# it. Once a proposal set while the dialog came up replaced a text typed at
# that moment; a person would type it again, and so does this, once.
type_text() {
  local attempt
  for attempt in 1 2; do
    e2e_drive type "$1" "$2" "$3" && e2e_drive -t 2000 expect-text "$1" "$2" "$3" 2>/dev/null && return 0
    e2e_log "\"$3\" did not stay in control $2 of \"$1\""
  done
  return 1
}

# choose_destination [PATH]: the destination dialog; PATH is typed over
# the proposal; OK.
choose_destination() {
  appears "$CAP_DEST" destination
  if [ -n "$1" ]; then
    e2e_check "$SHOT_NAME: the destination is typed" type_text "$CAP_DEST" $IDC_DEST_DIR "$1"
    step destination-typed
  fi
  e2e_check "$SHOT_NAME: the destination is accepted" e2e_drive click "$CAP_DEST" 1
}

# confirm_existing: the destination exists; "Yes" to going on.
confirm_existing() {
  appears Warning directory-exists
  e2e_eq "$SHOT_NAME: the question" "$(e2e_drive text Warning 65535)" "Directory already exists... Continue?"
  e2e_check "$SHOT_NAME: Yes" e2e_drive click Warning 6
}

# choose_group [SCOPE [FOLDER]]: the start-menu dialog; SCOPE is the combo
# index (0 All Users, 1 Current User), FOLDER typed over the proposal; OK.
choose_group() {
  appears "$CAP_GROUP" start-menu
  if [ -n "$1" ]; then
    e2e_drive select "$CAP_GROUP" $IDC_SCOPE "$1"
  fi
  if [ -n "$2" ]; then
    e2e_check "$SHOT_NAME: the program group is typed" type_text "$CAP_GROUP" $IDC_FOLDER "$2"
  fi
  [ -n "$1$2" ] && step start-menu-chosen
  e2e_check "$SHOT_NAME: the program group is accepted" e2e_drive click "$CAP_GROUP" 1
  progress_shot
}

# A small payload is extracted in a blink: a screenshot of the progress
# dialog only when it is still up.
progress_shot() {
  e2e_drive -t 1000 wait "$CAP_PROGRESS" >/dev/null 2>&1 && step progress
}

# finish_setup APPNAME [MORE]: the completion message, its text (and MORE
# behind it) checked and answered; setup ends.
finish_setup() {
  appears "$CAP_DONE" completion
  e2e_eq "$SHOT_NAME: completion text" "$(e2e_drive text "$CAP_DONE" 65535)" "$1$DONE_TEXT$2"
  e2e_drive click "$CAP_DONE" 1 >/dev/null
  e2e_wait_exit 60
  e2e_eq "$SHOT_NAME: setup ends" "$?" 0
}

# setup_ends: setup ends by itself, with no message left open.
setup_ends() {
  e2e_wait_exit 60
  e2e_eq "$SHOT_NAME: setup ends by itself" "$?" 0
  step ended
}

# undone APPNAME: the message that the installation was undone, closed.
undone() {
  appears "Installation Undone" undone
  e2e_eq "$SHOT_NAME: the installation was undone" "$(e2e_drive text "Installation Undone" 65535)" \
    "The installation of $1 did not complete and was undone.\nThe computer is as it was before: an earlier installation works as it did."
  e2e_check "$SHOT_NAME: OK closes it" e2e_drive click "Installation Undone" 1
}

# snapshot NAME DIR APPNAME / same_as NAME DIR APPNAME: the installation's
# folder and its Uninstall entry, then compared with what they were.
snapshot() {
  rm -rf "$E2E_WORK/snap-$1" && cp -a "$2" "$E2E_WORK/snap-$1"
  e2e_reg_values "$UNINSTALL_KEY\\$3" >"$E2E_WORK/snap-$1.reg"
}
same_as() {
  e2e_eq "$SHOT_NAME: every file as it was, byte for byte" "$(diff -r "$E2E_WORK/snap-$1" "$2" 2>&1)" ""
  e2e_eq "$SHOT_NAME: the Uninstall entry as it was" "$(e2e_reg_values "$UNINSTALL_KEY\\$3")" \
    "$(cat "$E2E_WORK/snap-$1.reg")"
}

# ---- unattended runs ----

# log_of RUN: the Unix path of a run's log.
log_of() { echo "$E2E_WORK/logs/$1.log"; }

# silent_setup NAME RUN ARGS...: installer NAME with /LOG= (log_of RUN) and
# ARGS (/S and the rest), watched from its start to its end: the exit code
# goes to SILENT_EXIT, and a check fails if setup showed any window.
silent_setup() {
  local name=$1 run=$2 log
  shift 2
  SHOT_NAME=$run
  log=$(log_of "$run")
  mkdir -p "$(dirname "$log")"
  e2e_run_watched "$name.exe" "$log" 120 e2e_start "$(e2e_winpath "$(installer_of "$name")")" \
    "/LOG=$(e2e_winpath "$log")" "$@"
  SILENT_EXIT=$E2E_RUN_EXIT
  e2e_eq "$run: no window of setup appeared" "$E2E_RUN_WINDOWS" ""
}

# log_lines FILE: the log's lines, without the byte-order mark it starts
# with (the log is UTF-8) and the CRs of its CR LF ends.
log_lines() {
  sed '1s/^\xef\xbb\xbf//' "$1" | tr -d '\r'
}

# in_log RUN LINE: the run's log holds that line.
in_log() {
  log_lines "$(log_of "$1")" | grep -qxF -- "$2"
}

# log_says RUN LINE...: checks that the log holds each line.
log_says() {
  local run=$1 line
  shift
  for line in "$@"; do
    e2e_check "$run: the log says \"$line\"" in_log "$run" "$line"
  done
}

# ---- paths ----

unix() { e2e_unixpath "$1"; }

# tree DIR: every file and folder below DIR, relative, folders ending in "/".
tree() {
  (cd "$1" 2>/dev/null && find . -mindepth 1 \( -type d -printf '%P/\n' -o -printf '%P\n' \) | LC_ALL=C sort)
}

# appears_file PATH: true once the file is there (within 20 s).
appears_file() {
  local i
  for i in $(seq 200); do
    [ -e "$1" ] && return 0
    sleep 0.1
  done
  return 1
}

readonly_mode() {
  [ $(( 0$(stat -c %a "$1") & 0222 )) -eq 0 ] && echo read-only || echo writable
}

# ---- checks of an installation ----

# check_files PAYLOAD DEST_UNIX EXTRA...: DEST holds exactly the payload's
# files and folders (less what EXTRA names with a leading "-") and the
# EXTRA names; each file equal byte for byte, read-only where the
# payload's file is.
check_files() {
  local payload=$1 dest=$2 name bad="" skip=() extra=()
  shift 2
  for name in "$@"; do
    case $name in -*) skip+=("${name#-}") ;; *) extra+=("$name") ;; esac
  done
  local expected
  expected=$( {
    tree "$payload" | grep -v -x -F -f <(printf '%s\n' "${skip[@]}" | grep -v '^$')
    printf '%s\n' "${extra[@]}"
  } | grep -v '^$' | LC_ALL=C sort)
  e2e_eq "$SHOT_NAME: the destination holds exactly the payload" "$(tree "$dest")" "$expected"
  while IFS= read -r name; do
    [ -d "$payload/$name" ] || [ ! -e "$dest/$name" ] && continue
    cmp -s "$payload/$name" "$dest/$name" || bad+=" $name(content)"
    [ "$(readonly_mode "$payload/$name")" = "$(readonly_mode "$dest/$name")" ] || bad+=" $name(attribute)"
  done < <(tree "$payload")
  e2e_eq "$SHOT_NAME: files equal to the payload, read-only where it is" "$bad" ""
}

# python_check DESCRIPTION ARGS...: installcheck.py ARGS; its findings go
# to the log, and the check fails unless it found nothing to report.
python_check() {
  local what=$1 out status
  shift
  out=$(python3 "$install_here/installcheck.py" "$@" 2>&1)
  status=$?
  e2e_log "$out"
  e2e_eq "$SHOT_NAME: $what" "$status" 0
}

# check_record NAME DEST GROUP [--stopped [--earlier DAT]]: uninstall.dat
# in DEST (a Windows path) against installer NAME's script and payload.
check_record() {
  python_check "uninstall.dat as the script and payload say" record "$(unix "$2")/uninstall.dat" \
    --installer "$(installer_of "$1")" --payload "$E2E_WORK/payloads/$1" --script "$(script_of "$1")" \
    --group "$3" --startup "$STARTUP" --desktop "$DESKTOP" "${@:4}"
}

# check_links NAME DEST GROUP [--absent]: the .lnk files of installer
# NAME's script.
check_links() {
  python_check "shortcuts ${4:-present}" links --script "$(script_of "$1")" --dest "$2" --group "$3" \
    --startup "$STARTUP" --desktop "$DESKTOP" --prefix "$WINEPREFIX" $4
}

# check_links_resolve NAME DEST GROUP: the shell reads each .lnk of
# installer NAME's script (the driver's link query, one wine start) and is
# led to its target in DEST, with its arguments.
check_links_resolve() {
  local lnk target arguments script="$E2E_WORK/links-$1.txt" expected=""
  : >"$script"
  while IFS=$'\t' read -r lnk target arguments; do
    printf 'link "%s"\n' "$lnk" >>"$script"
    expected+="$target"$'\n'"$arguments"$'\n'
  done < <(python3 "$install_here/installcheck.py" targets --script "$(script_of "$1")" --dest "$2" --group "$3" \
    --startup "$STARTUP" --desktop "$DESKTOP")
  e2e_eq "$SHOT_NAME: the shell follows each shortcut to its target" "$(e2e_script "$script")" \
    "$(printf '%s' "$expected")"
}

# check_registration APPNAME DEST [LANGID] [KEY]: the Uninstall entry (at
# KEY, default the machine's), with the installation's language as a
# language id (default 0x409, English) and what catalogs read: the folder,
# a size in KiB, today's date, no Modify or Repair.
# The shipped 32-bit setup registers the machine's in the 32-bit view
# (WOW6432Node).
check_registration() {
  local values key=${4:-$UNINSTALL_KEY\\$1}
  values=$(e2e_reg_values "$key")
  e2e_eq "$SHOT_NAME: DisplayName" "$(e2e_value_in DisplayName <<<"$values")" "$1"
  e2e_eq "$SHOT_NAME: UninstallString, quoted" "$(e2e_value_in UninstallString <<<"$values")" \
    "\"$2\\uninstall.exe\""
  e2e_eq "$SHOT_NAME: QuietUninstallString" "$(e2e_value_in QuietUninstallString <<<"$values")" \
    "\"$2\\uninstall.exe\" /S"
  e2e_eq "$SHOT_NAME: Language" "$(e2e_value_in Language <<<"$values")" "${3:-0x409}"
  e2e_eq "$SHOT_NAME: InstallLocation" "$(e2e_value_in InstallLocation <<<"$values")" "$2"
  e2e_eq "$SHOT_NAME: NoModify and NoRepair" \
    "$(e2e_value_in NoModify <<<"$values") $(e2e_value_in NoRepair <<<"$values")" "0x1 0x1"
  e2e_eq "$SHOT_NAME: InstallDate" "$(e2e_value_in InstallDate <<<"$values")" "$(date +%Y%m%d)"
  # A DWORD (an archive without entries weighs 0 KiB).
  e2e_check "$SHOT_NAME: EstimatedSize, a number" grep -qxE '0x[0-9a-f]+' <<<"$(e2e_value_in EstimatedSize <<<"$values")"
  # HKEY_CURRENT_USER's software keys are the same in both views.
  if [ -n "$E2E_ROOT" ] && [ "${key#HKEY_LOCAL_MACHINE}" != "$key" ]; then
    e2e_check "$SHOT_NAME: not in the 64-bit registry view" not_in_64bit_view "$key"
  fi
}

not_in_64bit_view() { ! E2E_REG_VIEW=/reg:64 e2e_reg_exists "$1"; }

not_registered() { ! e2e_reg_exists "$UNINSTALL_KEY\\$1"; }
absent() { [ ! -e "$1" ] && [ ! -L "$1" ]; }

# ---- the uninstaller ----

# remains_text APPNAME ITEM...: the uninstaller's English warning that
# these items remained (at most three are named).
remains_text() {
  local app=$1 n item shown=0
  shift
  n=$#
  if [ "$n" = 1 ]; then
    printf '%s was uninstalled, but 1 item could not be removed:\\n\\n' "$app"
  else
    printf '%s was uninstalled, but %d items could not be removed:\\n\\n' "$app" "$n"
  fi
  for item in "$@"; do
    if [ $shown -lt 3 ]; then
      [ $shown -gt 0 ] && printf '\\n'
      printf '%s' "$item"
    fi
    shown=$((shown + 1))
  done
  [ "$n" -gt 3 ] && printf '\\n... and %d more' $((n - 3))
  return 0
}

# start_command_line LINE: starts a registered command as the system does,
# from the line as it stands, quotes and all: cmd reads it (an unquoted path
# with a blank would name another program), starts the program and ends
# with its exit code. The line reaches cmd in a variable of the user's
# environment, which wine hands to the programs it starts (in the WoW64
# root too, where run-in-root.sh passes no other).
start_command_line() {
  e2e_run reg add 'HKCU\Environment' /v E2E_COMMAND_LINE /d "$1" /f >/dev/null
  e2e_start cmd /c %E2E_COMMAND_LINE%
}

# uninstall APPNAME [REMAINING...]: runs the registered UninstallString,
# answers its box and checks the key and the two RunOnce values. Without
# REMAINING it must say "Success" and end with 0; with them it must warn
# that exactly these items remained and end with 2.
uninstall() {
  local command dest app=$1 caption=Success text code=0
  command=$(e2e_reg_values "$UNINSTALL_KEY\\$app" | e2e_value_in UninstallString)
  dest=${command#\"}
  dest=${dest%\\uninstall.exe\"}
  text="$app was uninstalled successfully!"
  if [ $# -gt 1 ]; then
    caption=Warning
    text=$(remains_text "$@")
    code=2
  fi
  SHOT_NAME="$SHOT_NAME-uninstall"
  SHOT_STEP=0
  start_command_line "$command"
  appears "$caption" "uninstall-message"
  e2e_eq "$SHOT_NAME: message" "$(e2e_drive text "$caption" 65535)" "$text"
  e2e_drive click "$caption" 1 >/dev/null
  e2e_wait_exit 60
  e2e_eq "$SHOT_NAME: uninstall's exit code" "$?" "$code"
  e2e_check "$SHOT_NAME: the Uninstall key is gone" not_registered "$app"
  check_runonce "$app" "$dest"
}

# check_runonce APPNAME DEST: the uninstaller left its file and folder to
# two RunOnce commands (below the root of its entry, RUNONCE_KEY).
check_runonce() {
  local runonce
  runonce=$(e2e_reg_values "$RUNONCE_KEY")
  e2e_eq "$SHOT_NAME: RunOnce deletes the uninstaller" "$(e2e_value_in "${1}_DelUninstallExe" <<<"$runonce")" \
    "C:\\windows\\system32\\cmd.exe /c del \"$2\\uninstall.exe\""
  e2e_eq "$SHOT_NAME: RunOnce removes the directory" "$(e2e_value_in "${1}_RmDir" <<<"$runonce")" \
    "C:\\windows\\system32\\cmd.exe /c rd \"$2\""
}

# silent_uninstall APPNAME CODE [REMAINING...]: runs the registered
# QuietUninstallString with a log, watched: no window, exit code CODE, the
# key gone, and exactly the REMAINING items logged as remained.
silent_uninstall() {
  local app=$1 code=$2 quiet exe log
  shift 2
  quiet=$(e2e_reg_values "$UNINSTALL_KEY\\$app" | e2e_value_in QuietUninstallString)
  exe=${quiet#\"}
  exe=${exe%%\"*}
  e2e_eq "$SHOT_NAME: the quiet command" "$quiet" "\"$exe\" /S"
  SHOT_NAME="$SHOT_NAME-uninstall"
  log=$(log_of "$SHOT_NAME")
  mkdir -p "$(dirname "$log")"
  e2e_run_watched uninstall.exe "$log" 60 start_command_line "$quiet \"/LOG=$(e2e_winpath "$log")\""
  e2e_eq "$SHOT_NAME: uninstall's exit code" "$E2E_RUN_EXIT" "$code"
  e2e_eq "$SHOT_NAME: no window of the uninstaller appeared" "$E2E_RUN_WINDOWS" ""
  e2e_check "$SHOT_NAME: the Uninstall key is gone" not_registered "$app"
  check_runonce "$app" "${exe%\\uninstall.exe}"
  e2e_eq "$SHOT_NAME: what remained, as the log says" "$(log_lines "$log" | sed -n 's/^remained: //p')" \
    "$(printf '%s\n' "$@")"
  log_says "$SHOT_NAME" "exit code: $code"
  # A machine-wide entry, removed without administrator rights (the WoW64
  # root starts programs with a limited token), makes the uninstaller start
  # itself again with them; a per-user one never does.
  local elevated=no
  [ -n "$E2E_ROOT" ] && [[ $UNINSTALL_KEY == HKEY_LOCAL_MACHINE* ]] && elevated=yes
  e2e_eq "$SHOT_NAME: started again with administrator rights" \
    "$(in_log "$SHOT_NAME" "elevation: the uninstaller starts again with administrator rights" && echo yes || echo no)" \
    "$elevated"
}

# ---- a program that holds a file ----

hold_file() { e2e_hold_file "$HOLDFILE" "$1"; }
release_file() { e2e_release_file; }
