#!/usr/bin/env bash
# Takes the pictures of the README: each window of the program, started under Wine on the
# sample Data.ini beside this script, with its clock set just before the first task's moment.
#
# usage: docs/gallery/make.sh [vornakel.exe] [driver.exe] [missed]
# (defaults: the win64 build's). Pictures go to docs/. With "missed", only the list of missed
# reminders is taken.
set -uo pipefail
HERE="$(cd "$(dirname "$0")" && pwd)"
ROOT="$HERE/../.."
EXE=${1:-$ROOT/build/win64/vornakel.exe}
DRIVER=${2:-$ROOT/build/win64/tests/e2e/vornakel_e2e_driver.exe}
source "$ROOT/tests/e2e/lib.sh"
SHOTS=$(mktemp -d /tmp/vornakel-gallery.XXXXXX)
e2e_init "$EXE" "$DRIVER" "$SHOTS" gallery

# shot <name> <crop WxH+X+Y or empty>: a picture of the desktop, or of a part of it, into docs/.
shot() {
  e2e_screenshot "$1"
  if [ -n "$2" ]; then
    convert "$SHOTS/$1.png" -crop "$2" +repage "$ROOT/docs/$1.png"
  else
    cp "$SHOTS/$1.png" "$ROOT/docs/$1.png"
  fi
}

main_pictures() {
  e2e_write_ini "$HERE/data.ini" "$WORK/Data.ini"
  e2e_start "2026-12-08 08:59:35"
  driver wait-window 20000 || e2e_abort "the main window did not open"
  driver wait-rows 7 20000 >/dev/null || e2e_abort "the rows did not appear"
  sleep 1
  shot main-window ""

  xdotool mousemove 275 502 click 1 # "Настройки"
  sleep 1
  shot settings ""
  xdotool key Escape
  sleep 0.5

  # The editor on the fourth task (yearly), opened by a double click on its row.
  xdotool mousemove 200 139 click --repeat 2 --delay 80 1
  sleep 1.2
  shot editor ""
  # Its Cancel button: Escape while editing would hide the whole program to the tray.
  xdotool mousemove $(driver controls TForm2 | awk -F'\t' '$2 == "Cancel" { print $3 }') click 1
  sleep 0.5

  # The list's menu on the first row.
  xdotool mousemove 200 85 click 3
  sleep 0.7
  shot list-menu ""
  xdotool key Escape
  sleep 0.3

  # The tray icon's menu opens at the cursor.
  xdotool mousemove 1012 758
  driver post 0x8004 1 517 >/dev/null
  sleep 0.7
  shot tray-menu ""
  xdotool key Escape
  sleep 0.3

  # 09:00:00: the first task's moment; its popup opens with a beep.
  for _ in $(seq 400); do
    [ -n "$(driver popups)" ] && break
    sleep 0.1
  done
  sleep 0.5
  shot popup ""
  e2e_close
}

# The list of reminders missed, from missed.ini: three days since the program last ran.
missed_picture() {
  e2e_write_ini "$HERE/missed.ini" "$WORK/Data.ini"
  e2e_start "2026-12-08 12:00:00"
  driver wait-window 20000 >/dev/null || e2e_abort "the main window did not open"
  for _ in $(seq 100); do
    driver missed >/dev/null 2>&1 && break
    sleep 0.1
  done
  sleep 1
  shot missed ""
  e2e_close
}

[ "${3:-}" = missed ] || main_pictures
missed_picture
e2e_finish
