# Helpers of the dialog tests, on top of tests/e2e/lib.sh: dialoghost runs,
# message boxes, screenshots, and a real mouse and keyboard (xdotool on the
# virtual screen) where the driver's messages cannot stand in for a person.
# dialogs_init sets DIALOGHOST and SHOTS.

# dialogs_init DRIVER.EXE DIALOGHOST.EXE WORKDIR SHOTDIR: the screen, the
# prefix and the tools of a dialog test.
dialogs_init() {
  export E2E_DRIVER=$1
  DIALOGHOST=$2
  SHOTS=$4
  e2e_init "$3" || exit 1
}

# c_drive PATH: the Unix path of C:\PATH in the test's prefix.
c_drive() { e2e_unixpath "C:\\$1"; }

# host DIALOG ARGS...: shows the dialog through dialoghost.
host() {
  HOST_REPORT="$E2E_WORK/report.txt"
  rm -f "$HOST_REPORT"
  e2e_start "$DIALOGHOST" "$1" "$(e2e_winpath "$HOST_REPORT")" "${@:2}"
}

# host_end: waits for dialoghost to end; its report goes to REPORT.
host_end() {
  e2e_wait_exit 30
  REPORT=$(cat "$HOST_REPORT" 2>/dev/null)
}

lines() { printf '%s\n' "$@"; }

# expect_box CAPTION TEXT ICON BUTTON: the message box that is up shows TEXT
# (line breaks written \n) with an icon (1) or none (0); BUTTON answers it.
# Wine keeps an (empty) icon control in every box; an icon shows as the
# text starting right of its 32 pixels (without one: at 8 to 14 pixels).
expect_box() {
  local x
  x=$(e2e_drive dump "$1" | sed -n 's/^id=65535 .* px=\([0-9]*\),.*/\1/p')
  e2e_eq "\"$1\" box: $2" "$(e2e_drive text "$1" 65535)" "$2"
  e2e_eq "\"$1\" box has an icon: $2" "$([ "${x:-0}" -ge 40 ] && echo 1 || echo 0)" "$3"
  e2e_drive click "$1" "$4" && e2e_drive gone "$1" 5000
}

# click_for_box DIALOG ID BOX: presses the button and waits for the message
# box it opens. Under load wine now and then takes a button click sent
# right after a message box closed as no click at all; a person would
# simply click again, and so does this, once.
click_for_box() {
  e2e_drive click "$1" "$2" || return 1
  e2e_drive wait "$3" 3000 2>/dev/null && return 0
  e2e_log "no \"$3\" box after the click: clicking once more"
  e2e_drive click "$1" "$2"
}

# shot NAME: a screenshot kept in SHOTS.
shot() {
  mkdir -p "$SHOTS" && cp "$(e2e_shot "$1")" "$SHOTS/$1.png"
}

# mouse_click CAPTION ID DX DY COUNT: COUNT clicks at DX,DY inside the control.
mouse_click() {
  local x y w h
  read -r x y w h < <(e2e_drive rect "$1" "$2")
  xdotool mousemove $((x + $3)) $((y + $4)) click --repeat "$5" --delay 60 1
}

# keyboard_type CAPTION ID TEXT: empties the edit, clicks into it and types.
keyboard_type() {
  e2e_drive type "$1" "$2" "" && mouse_click "$1" "$2" 5 5 1 && xdotool type --delay 2 "$3"
}

# picture CAPTION ID NAME: a screenshot (kept as NAME) cut to the window,
# with control ID (an edit, whose caret blinks) painted over; prints the
# path of the cut picture.
picture() {
  local x y w h cx cy cw ch
  shot "$3"
  read -r x y w h < <(e2e_drive rect "$1")
  read -r cx cy cw ch < <(e2e_drive rect "$1" "$2")
  /usr/bin/convert "$SHOTS/$3.png" -fill magenta -draw "rectangle $cx,$cy $((cx + cw - 1)),$((cy + ch - 1))" \
    -crop "${w}x$h+$x+$y" +repage "$E2E_WORK/$3-window.png" && echo "$E2E_WORK/$3-window.png"
}

# pixels_differ PNG PNG: how many pixels differ (ImageMagick's compare).
pixels_differ() {
  /usr/bin/compare -metric AE "$1" "$2" null: 2>&1
}
