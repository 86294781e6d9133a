#!/usr/bin/env bash
# Each repeat rule made in the editor through its controls (the mouse and the keyboard, as a user
# would), on Tuesday 8 December 2026 at 10:00 with the clock standing still: the row's moment and
# the keys of the task's Data.ini section. Then the task every minute fires at two slots in a row.
#
# usage: editor_rules.sh <vornakel.exe> <driver.exe> <artefacts-dir>
set -uo pipefail
source "$(dirname "$0")/lib.sh"
e2e_init "$1" "$2" "$3" editor_rules

# The editor's controls by their identifiers (1000 + their place in TaskEditor.h's list).
OK=1027 TILL_HOUR=1036 TILL_MINUTE=1038 TILL_SECOND=1040 EVERY=1043 MONDAY=1045 WEEK=1052 DAY=1053
WARN=1055 RECURRENCE=1012
click() {
  local at
  at=$(driver controls TForm2 | awk -F'\t' -v id="$1" '$4 == id { print $3; exit }')
  [ -n "$at" ] || { e2e_fail "control $1 is not there or not enabled"; return 1; }
  xdotool mousemove $at click 1 && sleep 0.3
}
type_number() { click "$1" && xdotool key End shift+Home && xdotool type "$2"; }
# choose <list> <index>: drops the list and walks to the item with the keys.
choose() { click "$1" && xdotool key Home $(printf 'Down %.0s' $(seq "$2")) Return; }
weekday() { click $((MONDAY + $1)); }  # Monday 0

# Each row: the list's item, what is done in the editor, the row's moment, the section's keys.
ROWS=(
  "11|type_number $EVERY 45; type_number $TILL_HOUR 18; type_number $TILL_MINUTE 0; type_number $TILL_SECOND 0|Каждые 45 мин с 09:00:00 до 18:00:00|Mod=0 Day=8 Kind=1 N=45 Days=0 Till=64800"
  "12|type_number $EVERY 2; weekday 5; weekday 6|Каждые 2 ч с 09:00:00 до 23:59:59 по сб, вс|Mod=0 Day=8 Kind=2 N=2 Days=65 Till=86399"
  "13|weekday 0; weekday 2; weekday 4|По пн, ср, пт в 09:00:00|Mod=0 Day=8 Kind=3 N=0 Days=42 Till=86399"
  "14||По рабочим дням в 09:00:00|Mod=0 Day=8 Kind=3 N=0 Days=62 Till=86399"
  "15|choose $WEEK 1; choose $DAY 1; type_number $WARN 15|Каждый второй вторник месяца в 09:00:00, заранее за 15 мин|Mod=8 Day=12 Kind=4 N=2 Days=4 Till=86399 Pre=15"
  "16|type_number $EVERY 3|Каждые 3 дня в 09:00:00|Mod=0 Day=8 Kind=5 N=3 Days=0 Till=86399"
  "11|type_number $EVERY 1|Каждую минуту с 09:00:00 до 23:59:59|Mod=0 Day=8 Kind=1 N=1 Days=0 Till=86399"
)

e2e_start_on_clock_file "2026-12-08 10:00:00"
driver wait-window 30000 >/dev/null || e2e_abort "the main window did not appear"

# keys <task number>: the keys of the task's section that the rows name, on one line.
keys() {
  e2e_readable_ini "$WORK/Data.ini" | sed -n "/^\[TASK$1\]/,/^\[TASK$(($1 + 1))\]/p" |
    grep -E '^(Mod|Day|Kind|N|Days|Till|Pre)=' | paste -sd' '
}
task=0
for row in "${ROWS[@]}"; do
  IFS='|' read -r item steps moment want <<<"$row"
  driver post 0x0111 2 0 >/dev/null  # "Добавить задание"
  sleep 1.5
  xdotool type --delay 50 "Правило $task"
  choose $RECURRENCE "$item" && eval "$steps"
  e2e_screenshot "editor_rules-$task"
  click $OK
  driver wait-rows $((task + 1)) 10000 >/dev/null || e2e_abort "the task of item $item was not added"
  got=$(driver rows "$task" 1 | cut -f3)
  [ "$got" = "$moment" ] && echo "ok: $got" || e2e_fail "item $item: the row reads '$got', not '$moment'"
  sleep 0.5
  got=$(keys "$task")
  [ "$got" = "$want" ] && echo "ok: $got" || e2e_fail "item $item: Data.ini holds '$got', not '$want'"
  task=$((task + 1))
done

# The task every minute was done for 10:00 when it was made; each next minute fires it once.
for slot in 1 2; do
  e2e_set_clock "2026-12-08 10:0$((slot - 1)):45"
  sleep 1.5
  e2e_set_clock "2026-12-08 10:0$slot:02"
  sleep 3
  count=$(driver popups | grep -c .)
  [ "$count" = "$slot" ] && echo "ok: $slot popup(s) at 10:0$slot" || e2e_fail "$count popup(s) at 10:0$slot"
done
e2e_close
e2e_finish
