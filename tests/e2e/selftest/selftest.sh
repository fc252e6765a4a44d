#!/bin/bash
# The driver and lib.sh on a small dialog: the screenshot shows it, typed text
# and selections arrive with their notifications, a click that opens a German
# message box returns at once, and "Done" ends the dialog with its code.
# usage: selftest.sh DRIVER.EXE DIALOG.EXE WORKDIR
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/lib.sh"
export E2E_DRIVER=$1
dialog=$2
e2e_init "$3" || exit 1

report="$E2E_WORK/report.txt"
rm -f "$report"
e2e_start "$dialog" "$(e2e_winpath "$report")"
cap="Driver Selftest"

e2e_check "the dialog appears" e2e_drive wait "$cap" 20000
shot=$(e2e_shot dialog)
read -r dx dy dw dh < <(e2e_drive rect "$cap")
e2e_eq "the dialog is centred on the 1024x768 desktop" "$((dx + dw / 2)),$((dy + dh / 2))" "512,384"
read -r px py pw ph < <(e2e_drive rect "$cap" 104)
desktop=$(e2e_pixel "$shot" 5 5)
face=$(e2e_pixel "$shot" $((dx + 10)) $((dy + dh - 5)))
filled=$(e2e_pixel "$shot" $((px + 4)) $((py + ph / 2)))
empty=$(e2e_pixel "$shot" $((px + pw - 4)) $((py + ph / 2)))
e2e_check "the screenshot shows the dialog on the desktop ($face on $desktop)" [ "$face" != "$desktop" ]
e2e_check "the progress bar is drawn an eighth full ($filled, $empty)" [ "$filled" != "$empty" ]

# One wine start for the whole conversation with the dialog.
e2e_check "the script runs" e2e_script <<'SCRIPT'
expect-progress "Driver Selftest" 104 "0 200 25"
expect-items "Driver Selftest" 102 "Alpha\nBeta\nGamma"
type "Driver Selftest" 101 "Jürgen Weiß"
expect-text "Driver Selftest" 101 "J\xfcrgen Wei\xdf"
select "Driver Selftest" 102 1
expect-text "Driver Selftest" 105 "list selchange Beta"
expect-progress "Driver Selftest" 104 "0 200 100"
dblclick "Driver Selftest" 102 =Gamma
expect-text "Driver Selftest" 105 "list dblclk Gamma"
expect-cursel "Driver Selftest" 102 2
select "Driver Selftest" 103 =Green
expect-text "Driver Selftest" 105 "combo selchange Green"
expect-cursel "Driver Selftest" 103 1
expect-enabled "Driver Selftest" 107 0
SCRIPT

# A person cannot press a disabled button, nor pick an entry that is not there.
e2e_drive click "$cap" 107 2>/dev/null
e2e_eq "clicking a disabled button fails" "$?" 1
e2e_drive select "$cap" 103 =Purple 2>/dev/null
e2e_eq "selecting a missing entry fails" "$?" 1
e2e_drive -t 500 wait "No Such Window" 2>/dev/null
e2e_eq "waiting for a window that never comes times out" "$?" 2
e2e_drive frobnicate 2>/dev/null
e2e_eq "an unknown command is a usage error" "$?" 3

# The click opens a modal message box; the driver must not wait for it to close.
start=$(date +%s%N)
e2e_check "Greet opens a message box" e2e_drive click "$cap" 106
e2e_check "the click came back while the box is open" [ $(( ($(date +%s%N) - start) / 1000000 )) -lt 4000 ]
german="Prüfung läuft"
e2e_check "the German caption is found by its UTF-8 name" e2e_drive wait "$german" 5000
e2e_check "... and with \\xHH for U+00HH" e2e_drive expect-caption 'Pr\xfcfung*' "$german"
e2e_eq "the message box text" "$(e2e_drive text "$german" 65535)" 'Hallo Jürgen Weiß!\nSchön, dass du da bist.'
e2e_drive click "$cap" 105 2>/dev/null
e2e_eq "the dialog under a message box is out of reach" "$?" 1
e2e_shot messagebox >/dev/null
e2e_check "OK closes the message box" e2e_drive click "$german" 1
e2e_check "the message box is gone" e2e_drive gone "$german" 5000
e2e_check "the dialog saw the answer" e2e_drive expect-text "$cap" 105 "greeted 1"

e2e_check "Done ends the dialog" e2e_drive click "$cap" 1
e2e_wait_exit 20
e2e_eq "exit code of the dialog" "$?" 42
e2e_eq "what the dialog read from its controls" "$(iconv -f CP1252 -t UTF-8 "$report" 2>&1)" \
  "$(printf 'name=Jürgen Weiß\nlist=Gamma\ncombo=Green\nchanges=1')"

# A program that ended before the watch's first look: told so, the watch
# ends at once and reports no window.
e2e_watch_start never-seen.exe
start=$(date +%s)
e2e_eq "a watch of a program it never saw ends when told" "$(e2e_watch_end)" ""
e2e_check "... at once" [ $(($(date +%s) - start)) -lt 20 ]

# An unattended run that ran nothing (an exit code, no log) is made once
# more; the second start writes its log.
flaky_log=$E2E_WORK/flaky.log
flaky_start() {
  if [ -e "$flaky_log.tried" ]; then
    e2e_start cmd /c "echo ran>$(e2e_winpath "$flaky_log")"
  else
    touch "$flaky_log.tried"
    e2e_start cmd /c exit 5
  fi
}
e2e_run_watched cmd.exe "$flaky_log" 30 flaky_start
e2e_eq "a run that ran nothing is made once more" "$E2E_RUN_EXIT $(tr -d '\r ' <"$flaky_log" 2>/dev/null)" "0 ran"

e2e_finish
