#!/bin/bash
# The start-menu dialog shown by dialoghost and worked as a person would:
# the folder list, browsing, the two scopes, what OK creates or refuses,
# Back, unreadable Programs folders and the German texts.
# usage: startmenu.sh DRIVER.EXE DIALOGHOST.EXE WORKDIR SHOTDIR
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../e2e/lib.sh"
source "$here/dialogs-lib.sh"
dialogs_init "$@"
dlg="Start Menu Folder"
user_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders'
common_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders'
set_folder() { e2e_reg add "$1" /v "$2" /d "$3" /f >/dev/null; }

# Two Programs folders of our own: subfolders, a hidden one and a file.
long1=$(printf 'L%.0s' {1..200})
long2=$(printf 'M%.0s' {1..100})
menu=$(c_drive Menu)
mkdir -p "$menu/User/Tools/Sub" "$menu/User/Games/$long1/$long2" "$menu/User/.hidden" "$menu/Common/Shared" \
  "$menu/Empty"
touch "$menu/User/readme.txt" "$menu/User/Tools/notes.txt"
set_folder "$user_key" Programs 'C:\Menu\User'
set_folder "$common_key" 'Common Programs' 'C:\Menu\Common'

# Browse, switch scope, go back; the next run keeps the scope. Then the
# refusals of OK, an existing folder reused, one new level created.
host startmenu --runs 3
e2e_check "texts, list and browsing" e2e_script <<SCRIPT
expect-text "Start Menu Folder" $IDC_TEXT "Please enter a folder, in which Quillwork's icons are to appear.\nBrowse through existing folders by double clicking on the list below."
expect-text "Start Menu Folder" $IDC_SCOPE_LABEL "Start Menu:"
expect-text "Start Menu Folder" 2 Back
expect-items "Start Menu Folder" $IDC_SCOPE "All Users\nCurrent User"
expect-cursel "Start Menu Folder" $IDC_SCOPE 1
expect-items "Start Menu Folder" $IDC_FOLDER_LIST "Games\nTools"
expect-text "Start Menu Folder" $IDC_FOLDER Quillwork
dblclick "Start Menu Folder" $IDC_FOLDER_LIST =Tools
expect-items "Start Menu Folder" $IDC_FOLDER_LIST "..\nSub"
expect-text "Start Menu Folder" $IDC_FOLDER "Tools\Quillwork"
dblclick "Start Menu Folder" $IDC_FOLDER_LIST =Sub
expect-items "Start Menu Folder" $IDC_FOLDER_LIST ".."
expect-text "Start Menu Folder" $IDC_FOLDER "Tools\Sub\Quillwork"
dblclick "Start Menu Folder" $IDC_FOLDER_LIST =..
expect-text "Start Menu Folder" $IDC_FOLDER "Tools\Quillwork"
dblclick "Start Menu Folder" $IDC_FOLDER_LIST =..
expect-items "Start Menu Folder" $IDC_FOLDER_LIST "Games\nTools"
expect-text "Start Menu Folder" $IDC_FOLDER Quillwork
dblclick "Start Menu Folder" $IDC_FOLDER_LIST =Games
SCRIPT
shot startmenu-english
e2e_drive dblclick "$dlg" $IDC_FOLDER_LIST "=$long1"
e2e_drive dblclick "$dlg" $IDC_FOLDER_LIST "=$long2"
expect_box Error 'The path is too long.\nPlease choose a shorter one.' 0 1
e2e_check "after the refusal the list stays" e2e_drive expect-items "$dlg" $IDC_FOLDER_LIST "..\n$long2"
e2e_check "All Users" e2e_script <<SCRIPT
select "Start Menu Folder" $IDC_SCOPE 0
expect-items "Start Menu Folder" $IDC_FOLDER_LIST Shared
expect-text "Start Menu Folder" $IDC_FOLDER Quillwork
click "Start Menu Folder" 2
expect-cursel "Start Menu Folder" $IDC_SCOPE 0
expect-items "Start Menu Folder" $IDC_FOLDER_LIST Shared
select "Start Menu Folder" $IDC_SCOPE 1
SCRIPT
refuse() {
  e2e_drive type "$dlg" $IDC_FOLDER "$1" && click_for_box "$dlg" 1 Error
  expect_box Error "$2" 0 1
  e2e_check "\"$1\" stays" e2e_drive expect-text "$dlg" $IDC_FOLDER "$1"
}
refuse 'Missing\App' 'Could not create! (path not found)'
e2e_check "nothing created" [ ! -e "$menu/User/Missing" ]
refuse '' 'Please enter the name of a folder\nwithin the start menu.'
refuse '..\Escaped' 'Please enter the name of a folder\nwithin the start menu.'
e2e_check "nothing created outside the start menu" [ ! -e "$menu/Escaped" ]
refuse readme.txt 'A file of the same name already exists.\nPlease Choose a different location.'
refuse "$(printf 'P%.0s' {1..300})" 'The path is too long.\nPlease choose a shorter one.'
keyboard_type "$dlg" $IDC_FOLDER "$(printf 'k%.0s' {1..300})"
typed=$(e2e_drive text "$dlg" $IDC_FOLDER)
e2e_eq "the keyboard stops at 259 characters" "${#typed}" 259
e2e_drive type "$dlg" $IDC_FOLDER Tools && e2e_drive click "$dlg" 1
e2e_drive expect-text "$dlg" $IDC_FOLDER Quillwork && e2e_drive type "$dlg" $IDC_FOLDER 'Tools\Quillwork' &&
  e2e_drive click "$dlg" 1
host_end
e2e_eq "Back, Tools reused, Tools\\Quillwork made" "$REPORT" "$(lines \
  'run=1 result=2' 'folder=' 'scope=0' 'programs=C:\Menu\Common' \
  'run=2 result=1' 'folder=C:\Menu\User\Tools' 'scope=1' 'programs=C:\Menu\User' \
  'run=3 result=1' 'folder=C:\Menu\User\Tools\Quillwork' 'scope=1' 'programs=C:\Menu\User')"
e2e_check "Tools still holds its file, and the new folder" [ -f "$menu/User/Tools/notes.txt" -a -d "$menu/User/Tools/Quillwork" ]

# A Programs folder without subfolders: a double-click on the empty list,
# where nothing is selected, changes nothing.
set_folder "$user_key" Programs 'C:\Menu\Empty'
host startmenu
e2e_drive expect-items "$dlg" $IDC_FOLDER_LIST "" && mouse_click "$dlg" $IDC_FOLDER_LIST 20 20 2
e2e_drive sleep 500
e2e_check "the double-click did nothing" e2e_script <<SCRIPT
expect-items "Start Menu Folder" $IDC_FOLDER_LIST ""
expect-text "Start Menu Folder" $IDC_FOLDER Quillwork
click "Start Menu Folder" 2
SCRIPT
host_end

# Unreadable Programs folders: none known yet gives an empty list that OK
# refuses; one known before stays, with its scope.
e2e_reg delete "$user_key" /v Programs /f >/dev/null
host startmenu
e2e_drive expect-items "$dlg" $IDC_FOLDER_LIST "" && e2e_drive click "$dlg" 1
expect_box Error 'The start menu folder cannot be found.\nPlease choose the other start menu.' 0 1
e2e_check "All Users can still be chosen" e2e_script <<SCRIPT
select "Start Menu Folder" $IDC_SCOPE 0
expect-items "Start Menu Folder" $IDC_FOLDER_LIST Shared
click "Start Menu Folder" 2
SCRIPT
host_end
set_folder "$user_key" Programs 'C:\Menu\User'
e2e_reg delete "$common_key" /v 'Common Programs' /f >/dev/null
host startmenu
e2e_check "All Users unreadable: the list and scope stay" e2e_script <<SCRIPT
expect-items "Start Menu Folder" $IDC_FOLDER_LIST "Games\nTools"
select "Start Menu Folder" $IDC_SCOPE 0
expect-cursel "Start Menu Folder" $IDC_SCOPE 1
expect-items "Start Menu Folder" $IDC_FOLDER_LIST "Games\nTools"
click "Start Menu Folder" 2
SCRIPT
host_end
e2e_eq "the scope stays Current User" "$(grep '^scope=' <<<"$REPORT")" scope=1

# German for every code but exactly "ENG"; the close box goes back too.
# GER runs under a Russian locale (code page 1251, which has no ü or ä):
# its texts, and its picture, are those FRA shows under C.UTF-8 (1252).
pictures=()
for code in GER FRA; do
  lang=C.UTF-8
  [ "$code" = GER ] && lang=ru_RU.UTF-8
  LANG=$lang host startmenu --lang "$code"
  e2e_check "$code: German texts" e2e_script <<SCRIPT
wait "Startmenüverzeichnis wählen" 20000
expect-text "Startmenüverzeichnis wählen" $IDC_TEXT "Geben Sie ein Startmenüverzeichnis für die Symbole von Quillwork an. Wählen Sie aus existierenden Verzeichnissen, indem Sie auf die untenstehende Liste doppelklicken."
expect-text "Startmenüverzeichnis wählen" $IDC_SCOPE_LABEL Startmenü:
expect-text "Startmenüverzeichnis wählen" 2 Zurück
expect-text "Startmenüverzeichnis wählen" 1 OK
expect-items "Startmenüverzeichnis wählen" $IDC_SCOPE "All Users\nCurrent User"
SCRIPT
  pictures+=("$(picture "Startmenüverzeichnis wählen" $IDC_FOLDER "startmenu-german-$lang")")
  e2e_drive close "Startmenüverzeichnis wählen"
  host_end
  e2e_eq "$code: the close box" "$(head -n1 <<<"$REPORT")" 'run=1 result=2'
done
e2e_eq "the German dialog under ru_RU looks as under C.UTF-8" "$(pixels_differ "${pictures[@]}")" 0

e2e_finish
