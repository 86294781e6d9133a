#!/usr/bin/env bash
# The system clock moved across midnight forwards and back while the real program runs, with a
# daily task that already ran today and a one-time task just after midnight. The clock stands
# still at each reading (libfaketime reads it from a file that this script rewrites), so the
# checker makes several passes at every reading; each task must fire exactly as often as its
# due and re-activation rules say: a daily task comes back whenever the date differs from its
# last run's, in either direction, and a one-time task never comes back.
#
# usage: clock_jump.sh <vornakel.exe> <driver.exe> <artefacts-dir>
set -uo pipefail
source "$(dirname "$0")/lib.sh"

e2e_init "$1" "$2" "$3" clock_jump

{
  printf '%s\n' "[SETTINGS]" "WinX=100" "WinY=60" "WinW=900" "WinH=500" "WinS=0" "Tray=0" "WinMax=0" \
    "SMin=0" "Ln0=33" "Ln1=230" "Ln2=260" "Ln3=220" "Ln4=160" "TasksN=2" "LastOD="
  e2e_task 0 "Tex=Каждый день в девять" Stat=3 PrevY=2024 PrevM=3 PrevD=14 PrevH=9 PrevMS=1 SndF= Rpt=0
  e2e_task 1 Mod=10 Ssec=10 Day=15 "Tex=Один раз после полуночи" SndF= Rpt=0
} >"$WORK/fixture.ini"
e2e_write_ini "$WORK/fixture.ini" "$WORK/Data.ini"

# The status cells of the two rows, joined by " | ".
statuses() { driver rows | awk -F'\t' '{ printf "%s%s", (NR > 1 ? " | " : ""), $5 }'; }
popup_count() { driver popups | grep -c .; }

# check_state <label> <expected statuses> <expected number of popups>: waits up to 10 s for
# the statuses, then lets the checker make a few more passes at the same reading before it
# counts the popups, so that a second firing in the same period would be seen.
check_state() {
  local deadline=$(($(date +%s) + 10)) actual
  while :; do
    actual=$(statuses)
    [ "$actual" = "$2" ] && break
    [ "$(date +%s)" -ge "$deadline" ] && break
    sleep 0.3
  done
  sleep 2
  actual=$(statuses)
  if [ "$actual" = "$2" ]; then echo "ok: $1: $actual"; else e2e_fail "$1: statuses '$actual', expected '$2'"; fi
  local popups
  popups=$(popup_count)
  if [ "$popups" = "$3" ]; then
    echo "ok: $1: $popups popup(s) in all"
  else
    e2e_fail "$1: $popups popup(s) in all, expected $3"
    driver popups >&2
  fi
}

DONE_TODAY="Выполнено на сегодня"
ACTIVE="Активно"
DONE="Выполнено"

e2e_start_on_clock_file "2024-03-14 23:59:50"
driver wait-window 30000 >/dev/null || e2e_abort "the main window did not appear"
driver wait-rows 2 30000 >/dev/null || e2e_abort "the two rows did not appear"

# 14 March, 23:59:50: the daily task ran at 09:00 today, the one-time task is tomorrow.
check_state "before midnight" "$DONE_TODAY | $ACTIVE" 0

# Forwards over midnight: the daily task comes back (its time is still ahead); the one-time
# task's moment has passed, so it fires once and is done.
e2e_set_clock "2024-03-15 00:00:20"
check_state "forwards over midnight" "$ACTIVE | $DONE" 1

# Back over midnight to 14 March: the date differs from the last run again, and the daily
# task was active, so it fires on 14 March a second time; the one-time task stays done.
e2e_set_clock "2024-03-14 23:59:55"
check_state "back over midnight" "$DONE_TODAY | $DONE" 2

# Forwards over midnight once more: the daily task comes back and waits for 09:00.
e2e_set_clock "2024-03-15 00:00:30"
check_state "forwards again" "$ACTIVE | $DONE" 2

e2e_set_clock "2024-03-15 09:00:05"
check_state "15 March, 09:00:05" "$DONE_TODAY | $DONE" 3

# Back and forwards within the same day: nothing fires twice.
e2e_set_clock "2024-03-15 08:00:00"
check_state "back within the day" "$DONE_TODAY | $DONE" 3
e2e_set_clock "2024-03-15 09:30:00"
check_state "forwards within the day" "$DONE_TODAY | $DONE" 3

e2e_screenshot clock_jump
driver popups | sed 's/^/popup: /'
e2e_close

# The last runs in the file: the daily task's at 09:00:05 on 15 March, the one-time task's at
# the first pass after midnight.
cat >"$WORK/expected.tasks" <<'EOF'
[TASK0]
Mod=0
Ssec=32400
Year=2024
Mon=3
Day=14
Tex=Каждый день в девять
Del=0
NM=1
Ex=0
OFF=0
Snd=0
Stat=3
FN=
PrevY=2024
PrevM=3
PrevD=15
PrevH=9
PrevMin=0
PrevS=5
PrevMS=1
SndF=
Rpt=0
Wake=0
[TASK1]
Mod=10
Ssec=10
Year=2024
Mon=3
Day=15
Tex=Один раз после полуночи
Del=0
NM=1
Ex=0
OFF=0
Snd=0
Stat=0
FN=
PrevY=2024
PrevM=3
PrevD=15
PrevH=0
PrevMin=0
PrevS=20
PrevMS=0
SndF=
Rpt=0
Wake=0
EOF
e2e_readable_ini "$WORK/Data.ini" | sed -n '/^\[TASK0\]$/,$p' >"$WORK/actual.tasks"
e2e_compare_text "the tasks in Data.ini" "$WORK/expected.tasks" "$WORK/actual.tasks"

e2e_finish
