#!/bin/bash
# uninstall.exe end to end under wine: real installation trees, uninstall.dat,
# registry keys and shortcut files in a fresh prefix; the program runs from
# its folder, the driver reads and answers its message box, and then every
# file, folder, key and RunOnce value is checked.
#
# usage: uninstall_e2e.sh UNINSTALL_EXE DRIVER_EXE HOLDFILE_EXE WORKDIR
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../e2e/lib.sh"
# Absolute: one case starts the program from another directory.
uninstall_exe=$(realpath "$1")
export E2E_DRIVER=$(realpath "$2")
holdfile_exe=$(realpath "$3")
e2e_init "$4" || exit 1

C=$WINEPREFIX/drive_c
E=$C/e2e
KEYS='HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion'
UNINSTALL_KEY="$KEYS\\Uninstall"
RUNONCE_KEY="$KEYS\\RunOnce"
USER_KEYS='HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion'
USER_UNINSTALL_KEY="$USER_KEYS\\Uninstall"
USER_RUNONCE_KEY="$USER_KEYS\\RunOnce"
ENV_KEY='HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\Session Manager\Environment'

# make_file UNIXPATH...: small files with their parent folders.
make_file() {
  local f
  for f in "$@"; do mkdir -p "$(dirname "$f")" && echo "$f" >"$f"; done
}

# install [--ansi] [--flags N] DIR APPNAME [INSTALLED...] -- [LINKS...] -- [GENERATED...]:
# the program and uninstall.dat in C:\e2e\DIR, in UTF-8 as setup writes it,
# or with --ansi in the earlier Windows-1252 form; --flags N adds the
# trailer with those flags.
install() {
  local form=()
  [ "$1" = --ansi ] && form=(--ansi) && shift
  [ "$1" = --flags ] && form+=(--flags "$2") && shift 2
  local dir=$E/$1
  shift
  mkdir -p "$dir" && cp "$uninstall_exe" "$dir/uninstall.exe"
  python3 "$here/make_uninstall_dat.py" "${form[@]}" "$dir/uninstall.dat" "$@"
}

# uninstall WINPATH CAPTION SHOTNAME [ARGS...]: runs the program, waits for
# its box, keeps a screenshot, reads the box's text into g_text and presses
# OK; the exit code goes to g_exit.
uninstall() {
  g_text="(no box captioned $2)"
  e2e_start "$1" "${@:4}"
  if e2e_drive wait "$2" 30000 >/dev/null; then
    e2e_shot "$3" >/dev/null
    g_text=$(e2e_drive text "$2" 65535)
    e2e_drive click "$2" 1 >/dev/null
  fi
  e2e_wait_exit 30
  g_exit=$?
}

hold() { e2e_hold_file "$holdfile_exe" "$1"; }
release() { e2e_release_file; }


exists() { [ -e "$1" ] || [ -L "$1" ]; }
absent() { ! exists "$1"; }
key_absent() { ! e2e_reg_exists "$1"; }
value_absent() { ! e2e_reg_query "$1" "$2" >/dev/null; }

# ---- the installations ----

full="Demo Tool"
I=$E/$full
make_file "$I/tool.exe" "$I/a/b/x.txt" "$I/a/y.txt" "$I/c.txt" "$I/d/e/f.txt" "$I/g/h/i.txt" \
  "$I/ro/locked.txt" "$I/drive.txt" "$I/settings.ini" \
  "$I/cache/1.tmp" "$I/cache/sub/2.tmp" "$I/cache/sub/deeper/3.tmp" "$I/cache/sub/ro.tmp" \
  "$I/logs/a.log" "$I/logs/old/b.log" \
  "$E/outside.txt" "$E/outside-dir/keep.txt" "$E/abs/abs.txt" "$E/rooted.txt" \
  "$E/menu/$full/$full.lnk" "$E/menu/$full/Readme.lnk" "$E/desktop/$full.lnk" "$E/desktop/notes.txt"
mkdir -p "$E/empty-outside"
# Read-only: an installed file, a generated one and one in a generated tree.
chmod a-w "$I/ro/locked.txt" "$I/settings.ini" "$I/cache/sub/ro.tmp"
# Wine shows a Unix symbolic link to a folder as a reparse point, as Windows
# shows a junction.
ln -s ../../outside-dir "$I/cache/outlink"
ln -s ../outside-dir "$I/linkgen"
install "$full" "$full" \
  uninstall.exe tool.exe 'a\b\x.txt' 'a\y.txt' c.txt 'd\e\f.txt' 'g\' 'g\h\i.txt' 'ro\locked.txt' \
  '..\outside.txt' 'C:\e2e\abs\abs.txt' '\e2e\rooted.txt' 'C:drive.txt' '..\empty-outside\x.txt' \
  -- "C:\\e2e\\menu\\$full\\$full.lnk" "C:\\e2e\\menu\\$full\\Readme.lnk" "C:\\e2e\\desktop\\$full.lnk" \
  'C:\e2e\desktop\notes.txt' \
  -- settings.ini missing.log cache logs linkgen '..\outside-dir' 'C:\e2e\abs'

# Names outside every code page: Greek, and an emoji (two UTF-16 units).
make_file "$E/bare/bare.txt" "$E/bare/Ελληνικά/σημείωση 😀.txt"
install bare "Bare Tool" uninstall.exe bare.txt 'Ελληνικά\' 'Ελληνικά\σημείωση 😀.txt'

# A file that another program holds open, and a Language value that says
# German in an Uninstall entry that names another program.
make_file "$E/held/app.dat" "$E/held/free.txt"
install held "Held Tool" uninstall.exe app.dat free.txt

# Folders that still hold the person's own files, more than the message
# names, in a German installation recorded by an earlier setup
# (Windows-1252), with an umlaut.
for f in p q r s; do make_file "$E/bild/$f/$f.txt" "$E/bild/$f/mine.txt"; done
make_file "$E/bild/frühling.txt"
install --ansi bild "Bild Tool" uninstall.exe 'p\p.txt' 'q\q.txt' 'r\r.txt' 's\s.txt' frühling.txt

# A generated folder that holds only names with a leading full stop.
make_file "$E/dots/cache/.keep" "$E/dots/cache/.git/config"
install dots "Dots Tool" uninstall.exe -- -- cache

# The program group was there before setup (the record's trailer says so):
# its link goes, the folder stays and is no item that remained.
make_file "$E/menu/Shared/Flagged Tool.lnk" "$E/flagged/f.txt"
install --flags 1 flagged "Flagged Tool" uninstall.exe f.txt -- 'C:\e2e\menu\Shared\Flagged Tool.lnk'

# An Uninstall key that cannot be deleted: it holds a subkey.
make_file "$E/keyed/k.txt"
install keyed "Keyed Tool" uninstall.exe k.txt

# An installation that setup began and has neither finished nor undone:
# its journal is there.
make_file "$E/unfinished/u.txt"
install unfinished "Unfinished Tool" uninstall.exe u.txt
mkdir -p "$E/unfinished/~setup-rollback"
printf 'setup\tC:\\Downloads\\setup.exe\tUnfinished Tool\r\n' >"$E/unfinished/~setup-rollback/journal.txt"

make_file "$E/noname/n.txt"
install noname "" uninstall.exe n.txt

# A per-user installation: its entry under HKEY_CURRENT_USER names it in
# quotes and says German; the machine's entry of that name belongs to
# another folder and says English. A folder holds the person's own file.
make_file "$E/user/u.txt" "$E/user/p/p.txt" "$E/user/p/mine.txt"
install user "User Tool" uninstall.exe u.txt 'p\p.txt'

# A per-machine installation whose entry names it in quotes, in other
# letter case, and says German; the user's entry of that name belongs to
# another folder.
make_file "$E/Quoted Tool/q.txt" "$E/Quoted Tool/k/k.txt" "$E/Quoted Tool/k/mine.txt"
install "Quoted Tool" "Quoted Tool" uninstall.exe q.txt 'k\k.txt'

# No uninstall.dat beside the program; one in the directory it starts from.
make_file "$E/nodata/keep.txt" "$E/decoy/decoy.txt"
mkdir -p "$E/nodata" && cp "$uninstall_exe" "$E/nodata/uninstall.exe"
python3 "$here/make_uninstall_dat.py" "$E/decoy/uninstall.dat" Decoy decoy.txt

# A folder deeper than the old limit of 260 characters.
deep=$E/deep
for i in 1 2 3 4 5; do deep=$deep/$(printf 'x%.0s' {1..50}); done
make_file "$deep/victim.txt"
mkdir -p "$deep" && cp "$uninstall_exe" "$deep/uninstall.exe"
python3 "$here/make_uninstall_dat.py" "$deep/uninstall.dat" Deep victim.txt

# Removed unattended (/S).
make_file "$E/quiet/q.txt" "$E/quiet/sub/r.txt" "$E/quiet-held/app.dat" "$E/quiet-held/free.txt" \
  "$E/quiet-args/keep.txt"
install quiet "Quiet Tool" uninstall.exe q.txt 'sub\r.txt'
install quiet-held "Quiet Held" uninstall.exe app.dat free.txt
install quiet-args "Quiet Args" uninstall.exe keep.txt
mkdir -p "$E/quiet-nodata" && cp "$uninstall_exe" "$E/quiet-nodata/uninstall.exe"

reg=$E/keys.reg
cat >"$reg" <<REG
REGEDIT4

[$RUNONCE_KEY]

[$UNINSTALL_KEY\\$full]
"DisplayName"="$full"
"UninstallString"="C:\\\\e2e\\\\$full\\\\uninstall.exe"

[$UNINSTALL_KEY\\Other App]
"DisplayName"="Other App"

[$UNINSTALL_KEY\\Decoy]
"DisplayName"="Decoy"

[$UNINSTALL_KEY\\Held Tool]
"UninstallString"="C:\\\\other\\\\uninstall.exe"
"Language"=dword:00000407

[$UNINSTALL_KEY\\Bild Tool]
"UninstallString"="C:\\\\e2e\\\\bild\\\\uninstall.exe"
"Language"=dword:00000407

[$UNINSTALL_KEY\\Keyed Tool\\Sub]

[$UNINSTALL_KEY\\Unfinished Tool]
"DisplayName"="Unfinished Tool"

[$USER_UNINSTALL_KEY\\User Tool]
"UninstallString"="\"C:\\\\e2e\\\\user\\\\uninstall.exe\""
"Language"=dword:00000407

[$UNINSTALL_KEY\\User Tool]
"UninstallString"="\"C:\\\\e2e\\\\elsewhere\\\\uninstall.exe\""
"Language"=dword:00000409

[$UNINSTALL_KEY\\Quoted Tool]
"UninstallString"="\"C:\\\\E2E\\\\QUOTED TOOL\\\\Uninstall.exe\""
"Language"=dword:00000407

[$USER_UNINSTALL_KEY\\Quoted Tool]
"UninstallString"="\"C:\\\\e2e\\\\other\\\\uninstall.exe\""
REG
e2e_regedit 'C:\e2e\keys.reg' || e2e_log "regedit failed"

# ---- a complete run ----

# What stays that was to go is counted and named: the generated link and
# the generated folder that holds a link (wine removes a Unix symbolic link
# to a folder neither as a folder nor as a file; Windows removes a junction
# as a folder). Read-only files go.
uninstall "C:\\e2e\\$full\\uninstall.exe" Warning full
e2e_eq "full: exit code" "$g_exit" 2
e2e_eq "full: message" "$g_text" "$full was uninstalled, but 2 items could not be removed:\\n\\ncache\\nlinkgen"
for f in tool.exe a c.txt 'd/e' g ro settings.ini cache/1.tmp cache/sub logs uninstall.dat; do
  e2e_check "full: $f removed" absent "$I/$f"
done
for f in uninstall.exe d drive.txt cache/outlink; do
  e2e_check "full: $f stays" exists "$I/$f"
done
e2e_check "full: nothing outside the installation deleted" exists "$E/outside.txt"
e2e_check "full: absolute installed name passed over" exists "$E/abs/abs.txt"
e2e_check "full: rooted installed name passed over" exists "$E/rooted.txt"
e2e_check "full: folder outside the installation stays" exists "$E/empty-outside"
e2e_check "full: links inside a generated folder not followed" exists "$E/outside-dir/keep.txt"
e2e_check "full: shortcuts removed" absent "$E/menu/$full/Readme.lnk"
e2e_check "full: start-menu folder removed" absent "$E/menu/$full"
e2e_check "full: desktop shortcut removed" absent "$E/desktop/$full.lnk"
e2e_check "full: recorded non-shortcut stays" exists "$E/desktop/notes.txt"
e2e_check "full: Uninstall key deleted" key_absent "$UNINSTALL_KEY\\$full"
e2e_check "full: other program's key stays" e2e_reg_exists "$UNINSTALL_KEY\\Other App"
e2e_eq "full: RunOnce deletes the program" "$(e2e_reg_query "$RUNONCE_KEY" "${full}_DelUninstallExe")" \
  "C:\\windows\\system32\\cmd.exe /c del \"C:\\e2e\\$full\\uninstall.exe\""
e2e_eq "full: RunOnce removes the folder" "$(e2e_reg_query "$RUNONCE_KEY" "${full}_RmDir")" \
  "C:\\windows\\system32\\cmd.exe /c rd \"C:\\e2e\\$full\""

# ---- a file held open; the entry's language is not this program's ----

e2e_check "held: another program holds app.dat" hold 'C:\e2e\held\app.dat'
uninstall 'C:\e2e\held\uninstall.exe' Warning held
release
e2e_eq "held: exit code" "$g_exit" 2
e2e_eq "held: message, in English" "$g_text" \
  "Held Tool was uninstalled, but 1 item could not be removed:\\n\\napp.dat"
e2e_check "held: the held file stays" exists "$E/held/app.dat"
e2e_check "held: the other file is removed" absent "$E/held/free.txt"

# ---- a German installation: folders that hold the person's files ----

uninstall 'C:\e2e\bild\uninstall.exe' Warnung bild
e2e_eq "bild: exit code" "$g_exit" 2
e2e_eq "bild: message, in German" "$g_text" \
  "Bild Tool wurde entfernt, aber 4 Elemente konnten nicht gelöscht werden:\\n\\np\\nq\\nr\\n... und 1 weitere"
e2e_check "bild: the person's files stay" exists "$E/bild/s/mine.txt"
e2e_check "bild: the name with an umlaut is removed" absent "$E/bild/frühling.txt"
e2e_check "bild: its key is deleted" key_absent "$UNINSTALL_KEY\\Bild Tool"

# ---- no shortcuts, COMSPEC unset ----

comspec=$(e2e_reg_query "$ENV_KEY" ComSpec)
e2e_reg delete "$ENV_KEY" /v ComSpec /f >/dev/null
uninstall 'C:\e2e\bare\uninstall.exe' Success bare
e2e_reg add "$ENV_KEY" /v ComSpec /t REG_EXPAND_SZ /d "$comspec" /f >/dev/null
e2e_eq "bare: exit code" "$g_exit" 0
e2e_eq "bare: message" "$g_text" "Bare Tool was uninstalled successfully!"
e2e_check "bare: file removed" absent "$E/bare/bare.txt"
e2e_check "bare: the Greek folder and its emoji file removed" absent "$E/bare/Ελληνικά"
# Without COMSPEC the system's own command interpreter runs the commands.
e2e_eq "bare: RunOnce without COMSPEC" "$(e2e_reg_query "$RUNONCE_KEY" "Bare Tool_DelUninstallExe")" \
  "C:\\windows\\system32\\cmd.exe /c del \"C:\\e2e\\bare\\uninstall.exe\""
e2e_eq "bare: RunOnce rd without COMSPEC" "$(e2e_reg_query "$RUNONCE_KEY" "Bare Tool_RmDir")" \
  "C:\\windows\\system32\\cmd.exe /c rd \"C:\\e2e\\bare\""

# ---- a generated folder of dot-files ----

uninstall 'C:\e2e\dots\uninstall.exe' Success dots
e2e_eq "dots: exit code" "$g_exit" 0
e2e_check "dots: the folder and its dot-files are removed" absent "$E/dots/cache"

# ---- a program group that was there before setup ----

uninstall 'C:\e2e\flagged\uninstall.exe' Success flagged
e2e_eq "flagged: exit code" "$g_exit" 0
e2e_check "flagged: its link is removed" absent "$E/menu/Shared/Flagged Tool.lnk"
e2e_check "flagged: the folder stays" exists "$E/menu/Shared"

# ---- an Uninstall key that cannot be deleted ----

uninstall 'C:\e2e\keyed\uninstall.exe' Warning keyed
e2e_eq "keyed: exit code" "$g_exit" 2
e2e_eq "keyed: the key is what remained" "$g_text" \
  "Keyed Tool was uninstalled, but 1 item could not be removed:\\n\\nHKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Keyed Tool"
e2e_check "keyed: the file is removed" absent "$E/keyed/k.txt"
e2e_check "keyed: the key stays" e2e_reg_exists "$UNINSTALL_KEY\\Keyed Tool"

# ---- an unfinished installation: nothing is removed ----

uninstall 'C:\e2e\unfinished\uninstall.exe' Error unfinished
e2e_eq "unfinished: exit code" "$g_exit" 4
e2e_eq "unfinished: message" "$g_text" \
  'This installation did not finish.\nRun C:\Downloads\setup.exe again: it restores the earlier one.\nNothing was removed.'
e2e_check "unfinished: its files stay" exists "$E/unfinished/u.txt"
e2e_check "unfinished: uninstall.dat stays" exists "$E/unfinished/uninstall.dat"
e2e_check "unfinished: its key stays" e2e_reg_exists "$UNINSTALL_KEY\\Unfinished Tool"
e2e_check "unfinished: no RunOnce value" value_absent "$RUNONCE_KEY" "Unfinished Tool_RmDir"

# ---- no uninstall.dat beside the program ----

cd "$E/decoy"
uninstall 'C:\e2e\nodata\uninstall.exe' Error nodata
cd - >/dev/null
e2e_eq "nodata: exit code" "$g_exit" 1
e2e_eq "nodata: message" "$g_text" 'Uninstall information could\nnot be read or is corrupt!'
e2e_check "nodata: its folder untouched" exists "$E/nodata/keep.txt"
e2e_check "nodata: the start directory's files untouched" exists "$E/decoy/decoy.txt"
e2e_check "nodata: no key deleted" e2e_reg_exists "$UNINSTALL_KEY\\Decoy"
e2e_check "nodata: no RunOnce value" value_absent "$RUNONCE_KEY" "Decoy_RmDir"

# ---- run from a folder deeper than 260 characters ----

deep_win=C:\\${deep#$C/}
deep_win=${deep_win//\//\\}
if [ -z "$E2E_ROOT" ]; then
  uninstall "$deep_win\\uninstall.exe" Success deep
  e2e_eq "deep: exit code" "$g_exit" 0
  e2e_eq "deep: message" "$g_text" "Deep was uninstalled successfully!"
  e2e_eq "deep: everything removed but the running program" "$(ls -A "$deep")" uninstall.exe
  e2e_eq "deep: RunOnce removes the folder" "$(e2e_reg_query "$RUNONCE_KEY" "Deep_RmDir")" \
    "C:\\windows\\system32\\cmd.exe /c rd \"$deep_win\""
else
  # Wine 10 starts no 32-bit program from a path that long (ShellExecuteEx:
  # "File not found"): the program never runs, and nothing goes.
  e2e_start "$deep_win\\uninstall.exe"
  e2e_wait_exit 30
  e2e_check "deep: wine 10 did not start it, nothing removed" exists "$deep/victim.txt"
fi

# ---- unattended: no window, the outcome in the exit code and the log ----

# quiet DIR ARGS...: runs C:\e2e\DIR\uninstall.exe with ARGS and a log in
# $E2E_WORK/DIR.log, watched; the exit code goes to g_exit, and a check
# fails if a window appeared.
quiet() {
  local dir=$1
  shift
  g_log=$E2E_WORK/$dir.log
  e2e_run_watched uninstall.exe "$g_log" 30 e2e_start "C:\\e2e\\$dir\\uninstall.exe" "$@" "/LOG=$(e2e_winpath "$g_log")"
  g_exit=$E2E_RUN_EXIT
  e2e_eq "$dir: no window appeared" "$E2E_RUN_WINDOWS" ""
}
# The log is UTF-8 behind a byte-order mark, with CR LF line ends.
log_lines() { sed '1s/^\xef\xbb\xbf//' "$g_log" | tr -d '\r'; }
logged() { log_lines | grep -qxF -- "$1"; }

quiet quiet /S
e2e_eq "quiet: exit code" "$g_exit" 0
e2e_check "quiet: its files are removed" absent "$E/quiet/sub"
for line in 'removed: q.txt' 'removed: sub\r.txt' 'removed folder: sub' \
  'Success: Quiet Tool was uninstalled successfully!' 'exit code: 0'; do
  e2e_check "quiet: the log says \"$line\"" logged "$line"
done

e2e_check "quiet-held: another program holds app.dat" hold 'C:\e2e\quiet-held\app.dat'
quiet quiet-held /s
release
e2e_eq "quiet-held: exit code" "$g_exit" 2
e2e_check "quiet-held: the held file stays" exists "$E/quiet-held/app.dat"
e2e_eq "quiet-held: the log names what remained" "$(log_lines | grep '^remained: ')" "remained: app.dat"
e2e_check "quiet-held: and ends with the code" logged "exit code: 2"

quiet quiet-nodata /S
e2e_eq "quiet-nodata: exit code" "$g_exit" 1
e2e_check "quiet-nodata: the log says why" logged 'Error: Uninstall information could not be read or is corrupt!'

quiet quiet-args /S '/D=C:\e2e'
e2e_eq "quiet-args: a line not understood: exit code" "$g_exit" 3
e2e_check "quiet-args: the log says why" logged 'not understood: unknown option: /D=C:\e2e'
e2e_check "quiet-args: nothing removed" exists "$E/quiet-args/keep.txt"
# Without /S the arguments change nothing: the box, and everything removed.
uninstall 'C:\e2e\quiet-args\uninstall.exe' Success quiet-args-box /X
e2e_eq "quiet-args: without /S, exit code" "$g_exit" 0
e2e_check "quiet-args: without /S, removed" absent "$E/quiet-args/keep.txt"

# ---- the entry that names the uninstaller, under either root ----

# A user's profile need not have a RunOnce key: the uninstaller makes it.
e2e_reg delete "$USER_RUNONCE_KEY" /f >/dev/null 2>&1
g_log=$E2E_WORK/user.log
uninstall 'C:\e2e\user\uninstall.exe' Warnung user "/LOG=$(e2e_winpath "$g_log")"
e2e_eq "user: exit code" "$g_exit" 2
e2e_eq "user: message, in German from the user's entry" "$g_text" \
  "User Tool wurde entfernt, aber 1 Element konnte nicht gelöscht werden:\\n\\np"
e2e_check "user: its file is removed" absent "$E/user/u.txt"
e2e_check "user: the user's key is deleted" key_absent "$USER_UNINSTALL_KEY\\User Tool"
e2e_eq "user: the machine's key of another folder stays as it was" \
  "$(e2e_reg_query "$UNINSTALL_KEY\\User Tool" UninstallString)" '"C:\e2e\elsewhere\uninstall.exe"'
e2e_eq "user: the user's RunOnce deletes the program" \
  "$(e2e_reg_query "$USER_RUNONCE_KEY" "User Tool_DelUninstallExe")" \
  "C:\\windows\\system32\\cmd.exe /c del \"C:\\e2e\\user\\uninstall.exe\""
e2e_eq "user: the user's RunOnce removes the folder" "$(e2e_reg_query "$USER_RUNONCE_KEY" "User Tool_RmDir")" \
  "C:\\windows\\system32\\cmd.exe /c rd \"C:\\e2e\\user\""
e2e_check "user: nothing in the machine's RunOnce" value_absent "$RUNONCE_KEY" "User Tool_RmDir"
for line in 'registry key deleted: HKEY_CURRENT_USER\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\User Tool' \
  'HKEY_CURRENT_USER\SOFTWARE\Microsoft\Windows\CurrentVersion\RunOnce: User Tool_RmDir = C:\windows\system32\cmd.exe /c rd "C:\e2e\user"'; do
  e2e_check "user: the log says \"$line\"" logged "$line"
done

g_log=$E2E_WORK/quoted.log
uninstall 'C:\e2e\Quoted Tool\uninstall.exe' Warnung quoted "/LOG=$(e2e_winpath "$g_log")"
e2e_eq "quoted: exit code" "$g_exit" 2
e2e_eq "quoted: message, in German from the machine's entry" "$g_text" \
  "Quoted Tool wurde entfernt, aber 1 Element konnte nicht gelöscht werden:\\n\\nk"
e2e_check "quoted: the machine's key is deleted" key_absent "$UNINSTALL_KEY\\Quoted Tool"
e2e_check "quoted: the user's key of another folder stays" e2e_reg_exists "$USER_UNINSTALL_KEY\\Quoted Tool"
e2e_eq "quoted: the machine's RunOnce removes the folder" "$(e2e_reg_query "$RUNONCE_KEY" "Quoted Tool_RmDir")" \
  "C:\\windows\\system32\\cmd.exe /c rd \"C:\\e2e\\Quoted Tool\""
e2e_check "quoted: nothing in the user's RunOnce" value_absent "$USER_RUNONCE_KEY" "Quoted Tool_RmDir"
e2e_check "quoted: the log names the machine's key" logged \
  'registry key deleted: HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Quoted Tool'

# ---- an empty application name ----

# setup then writes its values into the Uninstall key itself. Without other
# programs' entries below it, deleting "Uninstall\" would take the key along.
e2e_reg delete "$UNINSTALL_KEY\\Other App" /f >/dev/null
e2e_reg delete "$UNINSTALL_KEY\\Decoy" /f >/dev/null
e2e_reg add "$UNINSTALL_KEY" /v UninstallString /d 'C:\e2e\noname\uninstall.exe' /f >/dev/null
uninstall 'C:\e2e\noname\uninstall.exe' Success noname
e2e_eq "noname: exit code" "$g_exit" 0
e2e_eq "noname: message" "$g_text" " was uninstalled successfully!"
e2e_check "noname: file removed" absent "$E/noname/n.txt"
e2e_check "noname: the Uninstall key stays" e2e_reg_exists "$UNINSTALL_KEY"
e2e_eq "noname: RunOnce value" "$(e2e_reg_query "$RUNONCE_KEY" "_RmDir")" \
  "C:\\windows\\system32\\cmd.exe /c rd \"C:\\e2e\\noname\""

e2e_finish
