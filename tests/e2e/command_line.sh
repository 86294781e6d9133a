#!/usr/bin/env bash
# The command line with the real program: tasks handed to a running copy (one row and one
# section each, as the editor's OK makes them, exit code 0; a repeat rule with its keys and row
# text), a mistake (its box, exit code 2, Data.ini untouched), a plain second start (nothing
# changes), /quit (the copy saves and ends, exit code 0; with none running, 0 and nothing started
# or written), a copy that hangs (its box, exit code 3; /quit 3 without a box), and, with no copy
# running, a batch file of three lines, then two starts together (each ends at once, every task is
# added to the one copy that runs).
#
# usage: command_line.sh <vornakel.exe> <driver.exe> <artefacts-dir>
set -uo pipefail
source "$(dirname "$0")/lib.sh"

e2e_init "$1" "$2" "$3" command_line
printf '[SETTINGS]\r\nTray=0\r\nWinS=0\r\nTasksN=1\r\n[TASK0]\r\nMod=0\r\nSsec=32400\r\nTex=Зарядка\r\nStat=2\r\n' |
  iconv -f UTF-8 -t CP1251 >"$WORK/Data.ini"

# second_start <args...>: a second vornakel.exe in the same folder; its exit code.
second_start() {
  (cd "$WORK" && LC_ALL=C.UTF-8 timeout -k 5 30 wine ./vornakel.exe "$@") >>"$WORK/second.log" 2>&1
}

# task_section <n>: the readable lines of [TASKn].
task_section() {
  e2e_readable_ini "$WORK/Data.ini" | awk -v name="[TASK$1]" '
    $0 == name { on = 1; next } /^\[/ { on = 0 } on'
}

# second_start_with_box <label> <expected exit code> <args...>: a second start in the background
# whose box is awaited (10 s); BOX holds it. The box is answered with OK and the exit code and
# Data.ini (unchanged since before.ini) are checked.
second_start_with_box() {
  local label=$1 code=$2 pending status
  shift 2
  second_start "$@" &
  pending=$!
  BOX=""
  for _ in $(seq 100); do
    BOX=$(driver any-dialogs)
    # A box is read once its text is there (a box still being made has none yet).
    [[ "$BOX" == *$'\t'?* ]] && break
    sleep 0.1
  done
  [ "$label" = mistake ] && e2e_screenshot command_line-mistake
  driver any-dialogs 1 >/dev/null
  wait "$pending"
  status=$?
  [ "$status" -eq "$code" ] && echo "ok: $label ended with $code" || e2e_fail "$label ended with $status"
  cmp -s "$WORK/before.ini" "$WORK/Data.ini" && echo "ok: Data.ini untouched" || e2e_fail "Data.ini changed"
}

expect_rows() {
  if driver wait-rows "$1" 10000 >/dev/null; then echo "ok: $1 rows"; else e2e_fail "not $1 rows"; fi
}

e2e_start
driver wait-window 20000 >/dev/null || e2e_abort "the main window did not appear"
expect_rows 1
driver rows | grep -q $'\tЗарядка\t' && echo "ok: the first task" || e2e_fail "the first task's row is wrong"

# /in 2m: a one-time task two minutes from now, with a sound file named from the command's folder
# (stored by its full path) repeated until answered.
before=$(date +%s)
second_start /in 2m /sound гонг.wav /repeat Чай готов
status=$?
[ "$status" -eq 0 ] && echo "ok: /in 2m ended with 0" || e2e_fail "/in 2m ended with $status"
expect_rows 2
section=$(task_section 1)
ssec=$(sed -n 's/^Ssec=//p' <<<"$section")
due=$(date -d "@$((before + 120))" +%s)
moment=$(date -d "$(sed -n 's/^Year=//p' <<<"$section")-$(sed -n 's/^Mon=//p' <<<"$section")-$(sed -n 's/^Day=//p' <<<"$section") 00:00:00" +%s 2>/dev/null)
late=$(( ${moment:-0} + ${ssec:-0} - due ))
if [ "${late#-}" -le 3 ]; then echo "ok: due two minutes from the start"; else e2e_fail "/in 2m is due $late s off"; fi
expected="Mod=10|Tex=Чай готов|Del=0|NM=1|Ex=0|OFF=0|Snd=1|Stat=1|FN=|PrevY=0|PrevM=0|PrevD=0|PrevH=0|PrevMin=0|PrevS=0|PrevMS=0|SndF=Z:$(tr / '\\' <<<"$WORK")\\гонг.wav|Rpt=1|Wake=0"
actual=$(grep -v -e '^Ssec=' -e '^Year=' -e '^Mon=' -e '^Day=' <<<"$section" | paste -sd'|')
[ "$actual" = "$expected" ] && echo "ok: [TASK1] as the editor writes it" || e2e_fail "[TASK1] is $actual"

# /at 18:30 /weekly on tomorrow's weekday (today's would be done already after 18:30): today's
# date in the unused fields, as the editor shows it.
weekday=$(date -d tomorrow +%u)
day_names=(пн вт ср чт пт сб вс)
second_start /at 18:30 /weekly "${day_names[weekday - 1]}" Планёрка
status=$?
[ "$status" -eq 0 ] && echo "ok: /at /weekly ended with 0" || e2e_fail "/at /weekly ended with $status"
expect_rows 3
expected="Mod=$weekday|Ssec=66600|Year=$(date +%Y)|Mon=$(date +%-m)|Day=$(date +%-d)|Tex=Планёрка|Del=0|NM=1|Ex=0|OFF=0|Snd=1|Stat=1|FN=|PrevY=0|PrevM=0|PrevD=0|PrevH=0|PrevMin=0|PrevS=0|PrevMS=0|SndF=|Rpt=0|Wake=0"
actual=$(task_section 2 | paste -sd'|')
[ "$actual" = "$expected" ] && echo "ok: [TASK2] as the editor writes it" || e2e_fail "[TASK2] is $actual"
driver rows | tail -n 1 >"$ARTEFACTS/command_line.row.txt"

# /every 2h /till 18:00 given at 09:30 by the sender's clock: from that minute, Mod daily.
(cd "$WORK" && LC_ALL=C.UTF-8 FAKETIME_DONT_FAKE_MONOTONIC=1 timeout -k 5 30 faketime -f \
  "@$(date +%F) 09:30:00" wine ./vornakel.exe /every 2h /till 18:00 Вода) >>"$WORK/second.log" 2>&1 &&
  echo "ok: /every 2h ended with 0" || e2e_fail "/every 2h ended with $?"
expect_rows 4
expected="Mod=0|Ssec=34200|Tex=Вода|Kind=2|N=2|Days=0|Till=64800"
actual=$(task_section 3 | grep -E '^(Mod|Ssec|Tex|Kind|N|Days|Till|Pre)=' | paste -sd'|')
[ "$actual" = "$expected" ] && echo "ok: [TASK3] holds the rule" || e2e_fail "[TASK3] is $actual"
driver rows | grep -q $'\tКаждые 2 ч с 09:30:00 до 18:00:00\t' && echo "ok: the rule's row" ||
  e2e_fail "the rule's row is $(driver rows | tail -n 1)"

# A mistake: its box, exit code 2, nothing written.
cp "$WORK/Data.ini" "$WORK/before.ini"
second_start_with_box mistake 2 /in 0m Чай
case "$BOX" in
  " Vornakel"$'\t'"Длительность должна быть больше нуля и не больше года: 0m"*) echo "ok: the mistake's box" ;;
  *) e2e_fail "the box reads '$BOX'" ;;
esac

# A plain second start changes nothing.
second_start
status=$?
[ "$status" -eq 0 ] && echo "ok: a plain second start ended with 0" || e2e_fail "a plain second start ended with $status"
expect_rows 4
cmp -s "$WORK/before.ini" "$WORK/Data.ini" && echo "ok: Data.ini untouched" || e2e_fail "Data.ini changed"

# /quit: the copy ends as by "Выход", its last save replacing Data.ini (a new file); with none
# running, 0 at once, no copy started, no file written.
inode=$(stat -c %i "$WORK/Data.ini")
second_start /quit || e2e_fail "/quit ended with $?"
e2e_wait_exit 5000 || e2e_fail "the copy runs on after /quit"
[ "$(stat -c %i "$WORK/Data.ini")" != "$inode" ] || e2e_fail "/quit: Data.ini was not saved"
cp "$WORK/Data.ini" "$WORK/before.ini" && inode=$(stat -c %i "$WORK/Data.ini")
second_start /QUIT || e2e_fail "/quit with none running ended with $?"
driver wait-window 2000 >/dev/null && e2e_fail "/quit with none running opened a window"
[ "$(stat -c %i "$WORK/Data.ini")" = "$inode" ] || e2e_fail "/quit with none running wrote Data.ini"

# A running copy that does not answer: a box, exit code 3, nothing added; /quit gives up after
# 5 s with 3 and no box.
(timeout -k 5 60 wine "$DRIVER_EXE" hung-window 20000 >/dev/null 2>&1 &)
driver wait-window 10000 >/dev/null || e2e_fail "the hanging window did not appear"
second_start /quit
[ $? -eq 3 ] || e2e_fail "/quit to a hanging copy did not end with 3"
second_start_with_box "no answer" 3 /in 5m Висит
case "$BOX" in
  *"не ответила вовремя: задание не добавлено."*) echo "ok: the no-answer box" ;;
  *) e2e_fail "no box for a copy that does not answer: '$BOX'" ;;
esac
driver wait-no-window 30000 >/dev/null || e2e_fail "the hanging window stayed"

# No copy runs: a batch file's lines each start the program, hand their task to the copy that
# runs (started by the first) and end at once, so cmd goes on.
# cmd reads the file in the console's code page: the messages are Latin here.
printf '@echo off\r\nvornakel.exe /in 1m Check\r\nvornakel.exe /at 18:30 "/nosound" "Call  mum"\r\nvornakel.exe /at 7:00 /daily Gym\r\n' >"$WORK/x.bat"
copy_path="Z:$(tr / '\\' <<<"$WORK")\\vornakel.exe"
# The copy is nobody's child here: it must not outlive the test.
copy_pids() { ps -eo pid=,args= | awk -v path="$copy_path" '$2 == path { print $1 }'; }
e2e_case_cleanup() { copy_pids | xargs -r kill -9; }
# close_copy: closes the copy that runs and waits for its process to end.
close_copy() {
  driver close 20000 >/dev/null || e2e_fail "the copy did not close"
  for _ in $(seq 50); do [ -z "$(copy_pids)" ] && break; sleep 0.1; done
}
(cd "$WORK" && timeout -k 5 40 wine cmd /c x.bat) >"$WORK/bat.log" 2>&1 </dev/null
status=$?
[ "$status" -eq 0 ] && echo "ok: the batch file ran to its end" || e2e_fail "the batch file ended with $status"
expect_rows 7
close_copy
# Two starts together, no copy running: one copy runs, both tasks reach it.
second_start /in 2m One &
one=$!
second_start /in 3m Two
status=$?
wait "$one" && [ "$status" -eq 0 ] && echo "ok: both starts ended with 0" || e2e_fail "a start together failed"
expect_rows 9
close_copy
tasks=$(e2e_readable_ini "$WORK/Data.ini" | awk '/^\[TASK/ { if (line) print line; line = "" }
  /^(Mod|Tex|Snd)=/ { line = line $0 " " } END { print line }' | tail -n 5 | sort)
expected=$(printf '%s\n' "Mod=0 Tex=Gym Snd=1 " "Mod=10 Tex=One Snd=1 " "Mod=10 Tex=Two Snd=1 " \
  "Mod=10 Tex=Call  mum Snd=0 " "Mod=10 Tex=Check Snd=1 " | sort)
[ "$tasks" = "$expected" ] && echo "ok: every task saved" || e2e_fail "the saved tasks are: $tasks"
e2e_finish
