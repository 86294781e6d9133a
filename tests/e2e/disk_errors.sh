#!/usr/bin/env bash
# Saves that cannot be written: the program runs from a small tmpfs that is first filled to the
# last byte, then remounted read-only (once the program runs: started there read-only, it keeps
# its data in %APPDATA%\Vornakel, the last case). Each failed save, on the checker thread (a due
# task fires) and on the window's thread (the pause/activate command), must show the program's
# error box, leave Data.ini byte for byte as it was with no temporary file beside it, and let the
# program run on; once the disk takes writes again, the next save writes everything held in
# memory. The last save, as the program ends, fails the same way on a read-only folder.
#
#   disk_errors.sh <vornakel.exe> <driver.exe> <artefacts-dir> <crash_loop.exe>
#
# Exit code 77 (skipped) when tmpfs cannot be mounted here.
set -u
source "$(dirname "$0")/lib.sh"

TOOL_EXE=$4
e2e_init "$1" "$2" "$3" disk_errors
[ -f "$TOOL_EXE" ] || e2e_abort "no crash loop tool at $TOOL_EXE (it reads Data.ini back)"
cp "$TOOL_EXE" "$WORK/vornakel_crash_loop.exe"

DISK="$WORK/disk"
mkdir -p "$DISK"
if ! mount_error=$(mount -t tmpfs -o size=3m,mode=0755 tmpfs "$DISK" 2>&1); then
  echo "SKIP: cannot mount a tmpfs at $DISK (running as uid $(id -u)): $mount_error"
  exit 77
fi
MOUNTED=1

# The user's folder of the program in the prefix: other tests must never find a file there.
USER_DATA="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Vornakel"
rm -rf "$USER_DATA"

e2e_case_cleanup() {
  rm -rf "$USER_DATA"
  if [ -n "${MOUNTED:-}" ]; then
    [ -f "$DISK/Data.ini" ] && cp "$DISK/Data.ini" "$ARTEFACTS/disk_errors.final.Data.ini"
    # A process still using the mount would keep it busy; lazy unmount then detaches it anyway.
    umount "$DISK" 2>/dev/null || umount -l "$DISK" || echo "cleanup: cannot unmount $DISK" >&2
    MOUNTED=
  fi
}

# Three tasks: one due at once (daily at midnight, silent), one active one-time task in 2099,
# one paused one-time task in 2099. Task 1 fires on the first pass, tasks 2 and 3 change only by
# the pause/activate command.
FIXTURE="$WORK/fixture.txt"
cat >"$FIXTURE" <<'EOF'
[SETTINGS]
WinX=153
WinY=100
WinW=718
WinH=538
WinS=0
Tray=0
WinMax=0
SMin=0
Ln0=33
Ln1=230
Ln2=210
Ln3=130
Ln4=107
TasksN=3
LastOD=
[TASK0]
Mod=0
Ssec=0
Year=2000
Mon=1
Day=1
Tex=Позвонить{SOH}в банк
Del=0
NM=0
Ex=0
OFF=0
Snd=0
Stat=1
FN=
PrevY=2000
PrevM=1
PrevD=1
PrevH=9
PrevMin=0
PrevS=0
PrevMS=0
[TASK1]
Mod=10
Ssec=30600
Year=2099
Mon=3
Day=14
Tex=Вторая задача
Del=0
NM=0
Ex=0
OFF=0
Snd=0
Stat=1
FN=
PrevY=2000
PrevM=1
PrevD=1
PrevH=9
PrevMin=0
PrevS=0
PrevMS=0
[TASK2]
Mod=10
Ssec=30600
Year=2099
Mon=3
Day=15
Tex=Третья задача
Del=0
NM=0
Ex=0
OFF=0
Snd=0
Stat=2
FN=
PrevY=2000
PrevM=1
PrevD=1
PrevH=9
PrevMin=0
PrevS=0
PrevMS=0
EOF

# The pause/activate command of the list's context menu (kCommandN7) on a row (0-based).
toggle_row() {
  driver select "$1" || { e2e_fail "cannot select row $1"; return 1; }
  driver post 0x0111 203 0 || e2e_fail "cannot post the pause/activate command"
}

# expect_box <label> <text> [button id]: an error box of the program with exactly this text comes
# up; it is photographed and answered with OK (or the button given).
expect_box() {
  local boxes
  if ! boxes=$(driver wait-dialogs 15000); then
    e2e_fail "$1: no error box"
    return 1
  fi
  sleep 0.3  # let the box finish painting before the screenshot
  e2e_screenshot "disk_errors.$1"
  if [ "$boxes" = " Vornakel"$'\t'"$2" ]; then
    echo "ok: $1: box \"$2\""
  else
    e2e_fail "$1: expected one box \" Vornakel\"<TAB>\"$2\", saw: ${boxes//$'\t'/<TAB>}"
  fi
  driver dialogs "${3:-1}" >/dev/null || e2e_fail "$1: cannot answer the box with button ${3:-1}"
  local left
  for _ in $(seq 50); do
    left=$(driver dialogs)
    [ -z "$left" ] && break
    sleep 0.1
  done
  [ -z "$left" ] || e2e_fail "$1: boxes still open after OK: $left"
}

# expect_untouched <label>: Data.ini is the copy in $WORK/before.ini, and no temporary is left.
expect_untouched() {
  if cmp -s "$WORK/before.ini" "$DISK/Data.ini"; then
    echo "ok: $1: Data.ini byte for byte as before"
  else
    e2e_fail "$1: Data.ini changed although the save failed"
    cp "$DISK/Data.ini" "$ARTEFACTS/disk_errors.$1.Data.ini" 2>/dev/null
  fi
  local stray
  stray=$(find "$DISK" -mindepth 1 -maxdepth 1 ! -name vornakel.exe ! -name Data.ini ! -name filler)
  [ -z "$stray" ] || e2e_fail "$1: files left beside Data.ini: $stray"
}

# expect_rows <label> <status of row 1> <row 2> <row 3>: the program answers and shows them.
expect_rows() {
  local statuses
  statuses=$(driver rows | awk -F'\t' '{ print $5 }' | paste -sd '|')
  if [ "$statuses" = "$2|$3|$4" ]; then
    echo "ok: $1: the window answers, statuses $statuses"
  else
    e2e_fail "$1: statuses '$statuses', expected '$2|$3|$4'"
  fi
}

# expect_saved <label> <expected `show` output> [file]: Data.ini (or the file given) loads with
# the program's reader and holds the state that was in memory.
expect_saved() {
  local shown file=${3:-$DISK/Data.ini}
  shown=$(cd "$WORK" && timeout 60 wine ./vornakel_crash_loop.exe show "$file" </dev/null 2>"$WORK/show.err" |
    tr -d '\r')
  if [ "$shown" = "$2" ]; then
    echo "ok: $1: Data.ini loads and holds the new state"
  else
    e2e_fail "$1: Data.ini reads back as:"$'\n'"$shown"$'\n'"expected:"$'\n'"$2"
  fi
  [ ! -e "$file.tmp" ] || e2e_fail "$1: Data.ini.tmp left after a good save"
}

# wait_file_changed: the next successful save replaced Data.ini.
wait_file_changed() {
  for _ in $(seq 100); do
    cmp -s "$WORK/before.ini" "$DISK/Data.ini" || return 0
    sleep 0.1
  done
  e2e_fail "$1: Data.ini was not written after the disk took writes again"
  return 1
}

TODAY=$(date +%Y-%-m-%-d)
SAVED_STATE="tasks	3
task	1	0	3	1	$TODAY	Позвонить<0D><0A>в банк
task	2	10	2	0	2000-1-1	Вторая задача
task	3	10	1	0	2000-1-1	Третья задача"
DONE_TODAY="Выполнено на сегодня"
DATA_PATH="Z:${DISK//\//\\}\\Data.ini"
cp "$VORNAKEL_EXE" "$DISK/vornakel.exe"

# ---- a full disk ------------------------------------------------------------------------------
e2e_write_ini "$FIXTURE" "$DISK/Data.ini"
cp "$DISK/Data.ini" "$WORK/before.ini"
dd if=/dev/zero of="$DISK/filler" bs=4096 2>/dev/null
if echo x 2>/dev/null >"$DISK/probe"; then
  e2e_abort "the tmpfs still takes writes after filling it"
fi
rm -f "$DISK/probe"
echo "disk full: $(df -k --output=used,avail "$DISK" | tail -1)"

e2e_start_in "$DISK" "$WORK/wine.full.log"
driver wait-window 20000 >/dev/null || e2e_abort "the main window did not appear"
# The first pass fires task 1; its save on the checker thread cannot be written.
expect_box full.checker "Stream write error."
expect_untouched full.checker
expect_rows full.checker "$DONE_TODAY" "Активно" "Приостановлено"
# A command's save on the window's thread.
toggle_row 1
expect_box full.command "Stream write error."
expect_untouched full.command
expect_rows full.command "$DONE_TODAY" "Приостановлено" "Приостановлено"
# Room again: the next save writes everything the failed ones could not.
rm -f "$DISK/filler"
toggle_row 2
wait_file_changed full.freed && sleep 0.3
[ -z "$(driver dialogs)" ] || e2e_fail "full.freed: an error box after a good save"
expect_saved full.freed "$SAVED_STATE"
e2e_close

# ---- a folder that turns read-only while the program runs -------------------------------------
# The folder is writable as the program starts, so its data stays beside it; task 1 is due at
# 09:00:00 on a clock started at 08:59:48, when the folder is read-only.
sed '0,/^Ssec=0$/s//Ssec=32400/' "$FIXTURE" >"$WORK/fixture.nine.txt"
e2e_write_ini "$WORK/fixture.nine.txt" "$DISK/Data.ini"
cp "$DISK/Data.ini" "$WORK/before.ini"
e2e_start_in "$DISK" "$WORK/wine.ro.log" "$(date +%F) 08:59:48"
driver wait-window 20000 >/dev/null || e2e_abort "the main window did not appear"
mount -o remount,ro "$DISK" || e2e_abort "cannot remount $DISK read-only"
if touch "$DISK/probe" 2>/dev/null; then e2e_abort "the read-only tmpfs takes writes"; fi
expect_box readonly.checker "Cannot create file $DATA_PATH."
expect_untouched readonly.checker
expect_rows readonly.checker "$DONE_TODAY" "Активно" "Приостановлено"
toggle_row 1
expect_box readonly.command "Cannot create file $DATA_PATH."
expect_untouched readonly.command
mount -o remount,rw "$DISK" || e2e_abort "cannot remount $DISK read-write"
toggle_row 2
wait_file_changed readonly.writable && sleep 0.3
[ -z "$(driver dialogs)" ] || e2e_fail "readonly.writable: an error box after a good save"
expect_saved readonly.writable "$SAVED_STATE"
# Read-only again when the program ends: its last save fails and asks to retry. "Отмена" (2)
# keeps it running with what it holds, the file as it was; a change made then waits in memory.
cp "$DISK/Data.ini" "$WORK/before.ini"
mount -o remount,ro "$DISK" || e2e_abort "cannot remount $DISK read-only"
driver post 0x0010 0 0 || e2e_fail "cannot post WM_CLOSE"
expect_box readonly.exit "Cannot create file $DATA_PATH." 2
sleep 0.5
if kill -0 "$APP_PID" 2>/dev/null && driver wait-window 0 >/dev/null; then
  echo "ok: readonly.exit: \"Отмена\" kept the program running"
else
  e2e_fail "readonly.exit: the program ended although the exit was cancelled"
fi
expect_untouched readonly.exit
toggle_row 1
expect_box readonly.change "Cannot create file $DATA_PATH."
expect_rows readonly.change "$DONE_TODAY" "Активно" "Активно"
# Ended again, the box comes back; the disk takes writes meanwhile, and "Повторить" (4) saves
# everything and ends the program.
driver post 0x0010 0 0 || e2e_fail "cannot post WM_CLOSE"
driver wait-dialogs 15000 >/dev/null || e2e_fail "readonly.retry: no box at the second exit"
mount -o remount,rw "$DISK" || e2e_abort "cannot remount $DISK read-write"
expect_box readonly.retry "Cannot create file $DATA_PATH." 4
e2e_wait_exit 10000 || e2e_fail "readonly.retry: the program did not end after its save"
expect_saved readonly.retry "${SAVED_STATE/task	2	10	2/task	2	10	1}"

# ---- a folder read-only from the start: the tasks go to %APPDATA%\Vornakel\Data.ini, started
# from the file beside the program, which stays as it was; no box.
e2e_write_ini "$FIXTURE" "$DISK/Data.ini"
cp "$DISK/Data.ini" "$WORK/before.ini"
mount -o remount,ro "$DISK" || e2e_abort "cannot remount $DISK read-only"
e2e_start_in "$DISK" "$WORK/wine.appdata.log"
driver wait-window 20000 >/dev/null && sleep 1 || e2e_abort "the main window did not appear"
expect_rows appdata "$DONE_TODAY" "Активно" "Приостановлено"
toggle_row 1 && sleep 1 && e2e_screenshot disk_errors.appdata
[ -z "$(driver dialogs)" ] || e2e_fail "appdata: a box: $(driver dialogs)"
e2e_close
expect_saved appdata "${SAVED_STATE/task	3	10	1/task	3	10	2}" "$USER_DATA/Data.ini"
expect_untouched appdata

e2e_finish
