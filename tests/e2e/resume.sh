#!/usr/bin/env bash
# A sleep of two days while the real program runs: the suspend notice saves the last moment
# seen; then the clock moves on (libfaketime reads it from a file) and the resume notice comes.
# The checker passes at once: what is due within its period fires once (the daily task today,
# the one-time task, the reminder put off), what was missed beyond its period is listed (the
# daily task yesterday), and the file written at exit holds the new moment seen.
#
# usage: resume.sh <vornakel.exe> <driver.exe> <artefacts-dir>
set -uo pipefail
source "$(dirname "$0")/lib.sh"

e2e_init "$1" "$2" "$3" resume

{
  printf '%s\n' "[SETTINGS]" "WinX=100" "WinY=60" "WinW=900" "WinH=500" "WinS=0" "Tray=0" \
    "TasksN=2" "LastOD=" "Snooze=10" "SnoozeN=1"
  e2e_task 0 Tex=Зарядка Stat=3 PrevY=2024 PrevM=3 PrevD=14 PrevH=9 PrevMS=1
  e2e_task 1 Mod=10 Ssec=72000 Day=15 Tex=Концерт PrevY=2024 PrevM=3 PrevD=1 PrevH=9
  printf '%s\n' "[SNOOZE0]" "Due=2024-03-14 12:30:00" "Mom=Ежедневно в 12:00:00" "Tex=Отложенное" \
    "Snd=0"
} >"$WORK/fixture.ini"
e2e_write_ini "$WORK/fixture.ini" "$WORK/Data.ini"

seen() { LC_ALL=C sed -n 's/^Seen=\(.*\)\r$/\1/p' "$WORK/Data.ini"; }
messages() { driver popups | grep -o 'Edit:[^	]*' | LC_ALL=C sort | tr '\n' ' '; }

e2e_start_on_clock_file "2024-03-14 12:00:00"
driver wait-window 30000 >/dev/null || e2e_abort "the main window did not appear"
driver wait-rows 2 30000 >/dev/null || e2e_abort "the two rows did not appear"
sleep 2
[ -z "$(messages)" ] || e2e_fail "a reminder before the sleep: $(messages)"

driver post 0x218 4 0 >/dev/null || e2e_fail "cannot post PBT_APMSUSPEND"  # WM_POWERBROADCAST
sleep 1
if [ "$(seen)" = "2024-03-14 12:00:00" ]; then
  echo "ok: the suspend notice saved Seen=$(seen)"
else
  e2e_fail "Seen after the suspend notice is '$(seen)'"
fi

e2e_set_clock "2024-03-16 10:00:00"
driver post 0x218 18 0 >/dev/null || e2e_fail "cannot post PBT_APMRESUMEAUTOMATIC"
for _ in $(seq 50); do
  driver missed >/dev/null 2>&1 && break
  sleep 0.1
done
sleep 2
expected="Edit:Концерт Edit:Отложенное Edit:Зарядка "
actual=$(messages)
if [ "$actual" = "$(printf '%s\n' $expected | LC_ALL=C sort | tr '\n' ' ')" ]; then
  echo "ok: after the resume each due reminder showed once: $actual"
else
  e2e_fail "popups after the resume: '$actual', expected '$expected'"
fi
printf '%s\n' "title	Пропущенные напоминания" "foreground	0" "topmost	1" \
  "15.03.2024 09:00:00		Зарядка	Показать сообщение" >"$WORK/missed.expected"
driver missed >"$WORK/missed.actual" 2>&1
e2e_compare_text "the list after the resume" "$WORK/missed.expected" "$WORK/missed.actual"
e2e_screenshot resume
# A click in the list gives it the keyboard; Escape then closes it (and only it).
xdotool mousemove 510 420 click 1 2>/dev/null || e2e_fail "cannot click the list"
sleep 0.5
xdotool key Escape 2>/dev/null || e2e_fail "cannot press Escape"
sleep 0.5
if driver missed >/dev/null 2>&1; then e2e_fail "Escape left the list open"; else echo "ok: Escape closed the list"; fi
driver window | grep -Fxq $'minimized\t0' || e2e_fail "Escape in the list minimised the program"
e2e_close
case "$(seen)" in
  "2024-03-16 10:00:"*) echo "ok: the file written at exit holds Seen=$(seen)" ;;
  *) e2e_fail "Seen at exit is '$(seen)'" ;;
esac
e2e_finish
