#!/bin/bash
# Whole installations, English and German, each checked file by file, in
# uninstall.dat, the registry, the shortcuts and the fonts folder, then
# removed by their uninstaller as registered.
# usage: install_full.sh DRIVER SETUP UNINSTALL VIEWER HOLDFILE MKINSTALLER WORKDIR SHOTDIR
source "$(dirname "$0")/install-lib.sh"
install_init "$@"

english_font=DejaVuSansMono-BoldOblique.ttf
german_font=DejaVuSerifCondensed-Bold.ttf
otf_dir=/usr/share/fonts/opentype/urw-base35
otf_font=NimbusSans-Regular.otf
FONTS_KEY='HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\Fonts'

# font_listed WHO VALUE FILE: the Fonts key lists FILE as VALUE. The key is
# shared between the 32-bit and the 64-bit view on 64-bit Windows, so a
# 32-bit setup's value shows in both.
font_listed() {
  e2e_eq "$1: $2 listed" "$(e2e_reg_query "$FONTS_KEY" "$2")" "$3"
  if [ -n "$E2E_ROOT" ]; then
    e2e_eq "$1: $2 listed in the 64-bit view" "$(E2E_REG_VIEW=/reg:64 e2e_reg_query "$FONTS_KEY" "$2")" "$3"
  fi
}

# Quill Viewer: shortcuts in all three lists, a read-only file, an empty
# folder, a font, generated files that the application makes when it runs.
english_installation() {
  local payload dest="$E2E_PROGRAM_FILES\\Quill Viewer" group="$PROGRAMS\\Quill Viewer"
  payload=$(new_payload quill)
  put "$payload" readme.txt "Quill Viewer shows pictures."
  put "$payload" docs/manual.txt "Chapter 1: starting Quill Viewer."
  mkdir -p "$payload/docs/empty"
  put "$payload" data/ro.dat "locked settings"
  chmod a-w "$payload/data/ro.dat"
  cp "/usr/share/fonts/truetype/dejavu/$english_font" "$payload/"
  make_installer quill "$payload" <<EOF
#AppName
Quill Viewer
#Language
ENG
#Agreement
Quill Viewer licence

Use it as you like.
#Shortcuts
viewer.exe
Quill Viewer
viewer.exe /safe
Quill Viewer (safe mode)
docs\\manual.txt
Manual
uninstall.exe
Uninstall Quill Viewer
#StartupShortcuts
viewer.exe /quit
Quill Counter
#DesktopShortcuts
viewer.exe
Quill Viewer
#GeneratedFiles
viewer.ini
viewer.log
#InstallFonts
$english_font
#end
EOF

  start_setup quill
  agree
  e2e_eq "quill: the proposed destination" "$(e2e_drive text "$CAP_DEST" $IDC_DEST_DIR)" "$dest"
  choose_destination
  e2e_eq "quill: the proposed program group" "$(e2e_drive text "$CAP_GROUP" $IDC_FOLDER)" "Quill Viewer"
  choose_group
  finish_setup "Quill Viewer"

  local d
  d=$(unix "$dest")
  check_files "$payload" "$d" "-$english_font" uninstall.dat
  e2e_check "quill: the font is in the fonts folder" cmp "$payload/$english_font" "$(unix "$FONTS")/$english_font"
  font_listed quill "DejaVu Sans Mono Bold Oblique (TrueType)" "$english_font"
  check_record quill "$dest" "$group"
  check_links quill "$dest" "$group"
  check_registration "Quill Viewer" "$dest"

  # A person's first start: the Startup shortcut runs the application, which
  # makes its generated files beside itself. start does not wait for a
  # link's target.
  e2e_run start "$STARTUP\\Quill Counter.lnk"
  appears_file "$d/viewer.log" && sleep 0.5
  e2e_eq "quill: the Startup shortcut started the application" "$(tr -d '\r' <"$d/viewer.ini" 2>&1)" \
    "$(printf '[Viewer]\nStarts=1')"

  # The read-only file goes too; the running uninstaller stays, but RunOnce
  # deletes it.
  uninstall "Quill Viewer"
  e2e_eq "quill: what the uninstaller leaves" "$(tree "$d")" uninstall.exe
  check_links quill "$dest" "$group" --absent
  e2e_check "quill: the program group is gone" absent "$(unix "$group")"
  e2e_check "quill: the font stays" cmp "$payload/$english_font" "$(unix "$FONTS")/$english_font"
  font_listed quill "DejaVu Sans Mono Bold Oblique (TrueType)" "$english_font"
}

# Bildbetrachter: German dialogs, a typed destination whose parents do not
# exist, the program group for all users, a name with an umlaut. Two fonts:
# an OpenType one, and a TrueType one that is in the fonts folder already
# but not listed, which stays as it is and gets listed.
german_installation() {
  local payload dest='C:\Programme\Bildbetrachter' group="$COMMON_PROGRAMS\\Bildbetrachter"
  use_language GER
  payload=$(new_payload bild)
  put "$payload" "Übersicht.txt" "Alle Bilder auf einen Blick."
  put "$payload" Hilfe/Anleitung.txt "Doppelklicken Sie ein Bild."
  cp "/usr/share/fonts/truetype/dejavu/$german_font" "$otf_dir/$otf_font" "$payload/"
  cp "/usr/share/fonts/truetype/dejavu/$german_font" "$(unix "$FONTS")/"
  e2e_reg delete "$FONTS_KEY" /v "DejaVu Serif Condensed Bold (TrueType)" /f >/dev/null 2>&1
  make_installer bild "$payload" <<EOF
#AppName
Bildbetrachter
#Language
GER
#Agreement
Lizenzvertrag
Sie dürfen das Programm frei verwenden.
#Shortcuts
viewer.exe
Bildbetrachter
Übersicht.txt
Übersicht
uninstall.exe
Bildbetrachter entfernen
#DesktopShortcuts
viewer.exe /safe
Bildbetrachter (abgesicherter Modus)
#GeneratedFiles
viewer.ini
#InstallFonts
$otf_font
$german_font
#end
EOF

  start_setup bild
  agree
  choose_destination "$dest"
  choose_group 0
  finish_setup Bildbetrachter
  use_language ENG

  local d
  d=$(unix "$dest")
  # The font that was there already stays in the destination, as it came.
  check_files "$payload" "$d" "-$otf_font" uninstall.dat
  e2e_check "bild: the OpenType font is in the fonts folder" cmp "$payload/$otf_font" "$(unix "$FONTS")/$otf_font"
  font_listed bild "NimbusSans-Regular (OpenType)" "$otf_font"
  font_listed bild "DejaVu Serif Condensed Bold (TrueType)" "$german_font"
  check_record bild "$dest" "$group"
  check_links bild "$dest" "$group"
  check_registration Bildbetrachter "$dest" 0x407

  e2e_run "$dest\\viewer.exe" /quit
  e2e_check "bild: the application made its settings" [ -f "$d/viewer.ini" ]
  uninstall Bildbetrachter
  # The log is the application's own, not named among the generated files.
  e2e_eq "bild: what the uninstaller leaves" "$(tree "$d")" "$(printf 'uninstall.exe\nviewer.log')"
  e2e_check "bild: the OpenType font stays" [ -f "$(unix "$FONTS")/$otf_font" ]
  check_links bild "$dest" "$group" --absent
  e2e_check "bild: the program group is gone" absent "$(unix "$group")"
  e2e_check "bild: the font stays" [ -f "$(unix "$FONTS")/$german_font" ]
}

# Quill Viewer again, unattended with every option: for all users, in a
# program group of its own, into a destination whose blanks arrive
# unquoted (/D= takes the rest of the line) and which ends in a backslash,
# registered without it; the agreement counts as accepted. The installer
# is signed, as publishers ship theirs: the certificate table behind the
# archive changes nothing. Then removed by its QuietUninstallString.
silent_installation() {
  local payload=$E2E_WORK/payloads/quill dest='C:\Apps\Quill Silent' group="$COMMON_PROGRAMS\\Quill Tools" d
  d=$(unix "$dest")
  # The earlier installation left the font in the fonts folder; this one
  # moves it there again.
  rm -f "$(unix "$FONTS")/$english_font"
  e2e_reg delete "$FONTS_KEY" /v "DejaVu Sans Mono Bold Oblique (TrueType)" /f >/dev/null 2>&1
  local signed out=$E2E_WORK/signed-extract
  sign_installer quill quill-signed
  signed=$(installer_of quill-signed)
  e2e_check "quill-signed: the signature checks" osslsigncode verify -CAfile "$E2E_WORK/signing/cert.pem" \
    -in "$signed"
  e2e_check "quill-signed: mkinstaller verifies it" "$MKINSTALLER" verify "$signed"
  rm -rf "$out"
  e2e_check "quill-signed: mkinstaller extracts it" "$MKINSTALLER" extract "$signed" "$out"
  e2e_check "quill-signed: what it extracts is the payload" diff -r "$payload" "$out"
  silent_setup quill-signed quill-silent /s /AllUsers "/GROUP=Quill Tools" '/D=C:\Apps\Quill' 'Silent\'
  e2e_eq "quill-silent: exit code" "$SILENT_EXIT" 0
  check_files "$payload" "$d" "-$english_font" uninstall.dat
  e2e_check "quill-silent: the font is in the fonts folder" cmp "$payload/$english_font" "$(unix "$FONTS")/$english_font"
  font_listed quill-silent "DejaVu Sans Mono Bold Oblique (TrueType)" "$english_font"
  check_record quill "$dest" "$group"
  check_links quill "$dest" "$group"
  check_registration "Quill Viewer" "$dest"
  local key="HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quill Viewer"
  log_says quill-silent "option: /S" "option: /ALLUSERS" "option: /GROUP=Quill Tools" "option: /D=$dest\\" \
    "agreement: accepted by whoever runs /S" "destination (/D=): $dest\\" "start menu: All Users" \
    "program group (/GROUP=): Quill Tools" "program group folder: $group" \
    'installed: docs\manual.txt' 'installed: data\ro.dat' "creating shortcuts..." \
    "shortcut: $group\\Quill Viewer (safe mode).lnk to $dest\\viewer.exe /safe" \
    "shortcut: $STARTUP\\Quill Counter.lnk to $dest\\viewer.exe /quit" \
    "font moved: $dest\\$english_font to $FONTS\\$english_font" \
    "registry: HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts: DejaVu Sans Mono Bold Oblique (TrueType) = $english_font" \
    "uninstall data: $dest\\uninstall.dat" "registry: $key: UninstallString = \"$dest\\uninstall.exe\"" \
    "registry: $key: QuietUninstallString = \"$dest\\uninstall.exe\" /S" \
    "Installation Complete: Quill Viewer is now installed on your computer. Use the start menu to run the application." \
    "exit code: 0"
  e2e_eq "quill-silent: the log's lines end in CR LF" "$(grep -vc $'\r$' "$(log_of quill-silent)")" 0
  e2e_eq "quill-silent: the log is UTF-8 behind a byte-order mark" "$(head -c3 "$(log_of quill-silent)" | od -An -tx1)" \
    " ef bb bf"

  silent_uninstall "Quill Viewer" 0
  e2e_eq "quill-silent: what the uninstaller leaves" "$(tree "$d")" uninstall.exe
  check_links quill "$dest" "$group" --absent
  e2e_check "quill-silent: the program group is gone" absent "$(unix "$group")"
}

# Мир 世界: names in Cyrillic, Greek and Japanese, an emoji (a surrogate
# pair in UTF-16) and a combining accent, shortcuts to two of them. One
# installer, installed and removed unattended under four system locales in
# turn (LANG sets wine's code pages): the same names byte for byte each time.
locale_installations() {
  local payload app="Мир 世界" dest='C:\Apps\Мир 世界' group lang d
  group="$PROGRAMS\\$app"
  d=$(unix "$dest")
  payload=$(new_payload world)
  put "$payload" "Документы/Привет.txt" "Cyrillic"
  put "$payload" "Ελληνικά.txt" "Greek"
  put "$payload" "日本語/説明書.txt" "Japanese"
  put "$payload" "smile 😀.txt" "emoji"
  put "$payload" $'Cafe\xcc\x81.txt' "e and a combining acute accent"
  make_installer world "$payload" <<EOF
#AppName
$app
#Shortcuts
Документы\\Привет.txt
Привет ☺
#DesktopShortcuts
smile 😀.txt
Smile 😀
#end
EOF
  # Each with its ANSI and OEM code pages.
  for lang in "en_US 1252 437" "de_DE 1252 850" "ru_RU 1251 866" "ja_JP 932 932"; do
    export LANG=${lang%% *}.UTF-8
    SHOT_NAME=world-${lang%% *}
    e2e_eq "$SHOT_NAME: wine's code pages" "$(e2e_drive codepages)" "${lang#* }"
    silent_setup world "$SHOT_NAME" /S "/D=$dest"
    e2e_eq "$SHOT_NAME: exit code" "$SILENT_EXIT" 0
    check_files "$payload" "$d" uninstall.dat
    check_record world "$dest" "$group"
    check_links_resolve world "$dest" "$group"
    check_registration "$app" "$dest"
    silent_uninstall "$app" 0
    e2e_eq "$SHOT_NAME: what the uninstaller leaves" "$(tree "$d")" uninstall.exe
    check_links world "$dest" "$group" --absent
    e2e_check "$SHOT_NAME: the program group is gone" absent "$(unix "$group")"
    rm -rf "$d"  # what RunOnce does at the next start
  done
  export LANG=C.UTF-8
}

# Программа under en_US (code page 1252, which has no Cyrillic): typed into
# a Cyrillic destination, for a user whose Desktop and Programs folders have
# Cyrillic names, with a program-group and a desktop shortcut; then removed
# as registered. The last case: the user's folders stay changed.
foreign_folders() {
  local payload app=Программа dest='C:\Программы\Приложение' home='C:\users\Пользователь' d key
  export LANG=en_US.UTF-8
  DESKTOP="$home\\Рабочий стол"
  PROGRAMS="$home\\Главное меню\\Программы"
  mkdir -p "$(unix "$DESKTOP")" "$(unix "$PROGRAMS")"
  # The shell writes "Shell Folders" anew from "User Shell Folders" when it
  # starts in a program, as Windows does: a user's folders are in both.
  for key in "$USER_FOLDERS" "${USER_FOLDERS/Shell Folders/User Shell Folders}"; do
    e2e_reg add "$key" /v Desktop /d "$DESKTOP" /f >/dev/null
    e2e_reg add "$key" /v Programs /d "$PROGRAMS" /f >/dev/null
  done
  d=$(unix "$dest")
  payload=$(new_payload program)
  put "$payload" "Прочти меня.txt" "Программа показывает картинки."
  make_installer program "$payload" <<EOF
#AppName
$app
#Shortcuts
viewer.exe
$app
#DesktopShortcuts
Прочти меня.txt
Прочти меня
#end
EOF
  start_setup program
  choose_destination "$dest"
  e2e_eq "program: the proposed program group" "$(e2e_drive text "$CAP_GROUP" $IDC_FOLDER)" "$app"
  choose_group
  finish_setup "$app"
  check_files "$payload" "$d" uninstall.dat
  check_record program "$dest" "$PROGRAMS\\$app"
  check_links_resolve program "$dest" "$PROGRAMS\\$app"
  check_registration "$app" "$dest"
  uninstall "$app"
  e2e_eq "program: what the uninstaller leaves" "$(tree "$d")" uninstall.exe
  check_links program "$dest" "$PROGRAMS\\$app" --absent
  e2e_check "program: the program group is gone" absent "$(unix "$PROGRAMS\\$app")"
  export LANG=C.UTF-8
}

# Unattended onto a share (\\e2eserver\share, which wine finds in
# dosdevices\unc) below folders that are not there yet, into a program
# group that was there before, with another program's link in it. The
# share's root is asked for its space, the folders are made behind it, the
# record says the group was there, and the uninstaller leaves the group as
# it was and has nothing to report.
share_and_existing_group() {
  local payload app="Share Tool" dest='\\e2eserver\share\Apps\Share Tool' group="$PROGRAMS\\Shared" d
  mkdir -p "$E2E_WORK/unc-share" "$WINEPREFIX/dosdevices/unc/e2eserver"
  ln -sfn "$E2E_WORK/unc-share" "$WINEPREFIX/dosdevices/unc/e2eserver/share"
  mkdir -p "$(unix "$group")" && echo other >"$(unix "$group")/Other Program.lnk"
  d=$(unix "$dest")
  payload=$(new_payload share)
  put "$payload" notes.txt "Share Tool's notes"
  make_installer share "$payload" <<EOF
#AppName
$app
#Shortcuts
viewer.exe
$app
#end
EOF
  silent_setup share share-silent /S /GROUP=Shared "/D=$dest"
  e2e_eq "share-silent: exit code" "$SILENT_EXIT" 0
  check_files "$payload" "$d" uninstall.dat
  check_record share "$dest" "$group" --group-existed
  check_links share "$dest" "$group"
  check_registration "$app" "$dest"
  # Wine names a program started from a share "UNC\server\share\..." (its
  # own path without the leading backslashes), where the uninstaller would
  # not find its folder: it starts from a drive that names the same one.
  local log
  log=$(log_of share-uninstall)
  ln -sfn "$E2E_WORK/unc-share" "$WINEPREFIX/dosdevices/u:"
  e2e_start 'U:\Apps\Share Tool\uninstall.exe' /S "/LOG=$(e2e_winpath "$log")"
  e2e_wait_exit 60
  e2e_eq "share-uninstall: exit code" "$?" 0
  e2e_eq "share-uninstall: nothing remained" "$(log_lines "$log" | grep -c '^remained: ')" 0
  e2e_check "share-uninstall: the Uninstall key is gone" not_registered "$app"
  e2e_eq "share-silent: what the uninstaller leaves" "$(tree "$d")" uninstall.exe
  e2e_eq "share-silent: the program group as it was" "$(tree "$(unix "$group")")" "Other Program.lnk"
}

# machine_state FILE: into FILE, what an installation for one person leaves
# alone: the machine's software keys (the 64-bit view's export holds the
# 32-bit view's below Wow6432Node), the program folders, the start menu of
# all users and the system's fonts folder, each file with its size and time.
machine_state() {
  local reg="$E2E_WORK/machine.reg"
  rm -f "$reg"
  {
    E2E_REG_VIEW=/reg:64 e2e_reg export 'HKEY_LOCAL_MACHINE\Software' "$(e2e_winpath "$reg")" /y >/dev/null 2>&1 ||
      echo "no export"
    iconv -f UTF-16 -t UTF-8 "$reg" | tr -d '\r'
    (cd "$(unix 'C:\')" && find 'Program Files'* ProgramData/Microsoft/Windows/'Start Menu' windows/Fonts \
      -printf '%p %s %T@\n' | LC_ALL=C sort)
  } >"$1"
}

# same_machine RUN: the machine's keys and folders as machine_state found
# them before RUN.
same_machine() {
  machine_state "$E2E_WORK/machine-now"
  e2e_eq "$1: the machine's keys and folders as they were" \
    "$(diff "$E2E_WORK/machine-before" "$E2E_WORK/machine-now" | head -n 20)" ""
}

# Jot Pad for the person who runs setup alone: unattended with /CURRENTUSER,
# then from a script with "#Scope user" and no option. Its folder in
# %LOCALAPPDATA%\Programs, its link in the person's start menu, its font in
# the person's fonts folder and listed by its full path under the person's
# Fonts key, its entry below HKEY_CURRENT_USER, and nothing of the machine's
# changed; then removed by that entry's QuietUninstallString, which leaves
# its RunOnce commands below HKEY_CURRENT_USER too.
per_user_installations() {
  local app="Jot Pad" font=DejaVuSans-Bold.ttf font_name="DejaVu Sans Bold (TrueType)" run payload
  local local_appdata dest d user_fonts group="$PROGRAMS\\Jot Pad" options
  local UNINSTALL_KEY=${UNINSTALL_KEY/#HKEY_LOCAL_MACHINE/HKEY_CURRENT_USER}
  local RUNONCE_KEY=${RUNONCE_KEY/#HKEY_LOCAL_MACHINE/HKEY_CURRENT_USER}
  local user_fonts_key=${FONTS_KEY/#HKEY_LOCAL_MACHINE/HKEY_CURRENT_USER}
  local_appdata=$(e2e_reg_values "$USER_FOLDERS" | e2e_value_in 'Local AppData')
  dest="$local_appdata\\Programs\\$app"
  user_fonts="$local_appdata\\Microsoft\\Windows\\Fonts"
  d=$(unix "$dest")
  for run in jot-option jot-scope; do
    payload=$(new_payload $run)
    put "$payload" readme.txt "Jot Pad keeps notes."
    cp "/usr/share/fonts/truetype/dejavu/$font" "$payload/"
    options=(/S /CURRENTUSER)
    [ $run = jot-scope ] && options=(/S)
    {
      printf '#AppName\n%s\n#Shortcuts\nviewer.exe\n%s\n#InstallFonts\n%s\n#Version\n2.0\n' "$app" "$app" "$font"
      [ $run = jot-scope ] && printf '#Scope\nuser\n'
      printf '#end\n'
    } | make_installer $run "$payload"
    machine_state "$E2E_WORK/machine-before"
    silent_setup $run $run "${options[@]}"
    e2e_eq "$run: exit code" "$SILENT_EXIT" 0
    log_says $run "installation for: the current user" "destination (proposed): $dest" "start menu: Current User"
    check_files "$payload" "$d" "-$font" uninstall.dat
    e2e_check "$run: the font is in the person's fonts folder" cmp "$payload/$font" "$(unix "$user_fonts")/$font"
    e2e_eq "$run: the font listed by its full path" \
      "$(e2e_reg_values "$user_fonts_key" | e2e_value_in "$font_name")" "$user_fonts\\$font"
    check_record $run "$dest" "$group"
    check_links $run "$dest" "$group"
    check_registration "$app" "$dest" 0x409 "$UNINSTALL_KEY\\$app"
    same_machine $run

    silent_uninstall "$app" 0
    e2e_eq "$run: what the uninstaller leaves" "$(tree "$d")" uninstall.exe
    check_links $run "$dest" "$group" --absent
    e2e_check "$run: the program group is gone" absent "$(unix "$group")"
    same_machine "$run-uninstall"
    # What RunOnce does at the next start; the font goes too, so that the
    # next run moves it there again.
    rm -rf "$d" "$(unix "$user_fonts")/$font"
    e2e_reg delete "$user_fonts_key" /v "$font_name" /f >/dev/null 2>&1
  done
}

english_installation
german_installation
silent_installation
share_and_existing_group
locale_installations
per_user_installations
foreign_folders
e2e_finish
