# shellcheck shell=bash
# The list's menu through the real mouse: the right button on the first row selects it and opens
# the list menu; its third item, "Активировать" for the paused task, makes the task active, rewrites
# its status cell and writes Data.ini at once. Then Escape with no dialog open minimises the
# window (the tray option is off).
xdotool mousemove 250 135 click 3 2>/dev/null || e2e_fail "cannot right-click the first row"
sleep 0.7
e2e_screenshot "$NAME-menu"
# Down three times: "Добавить задание", "Редактировать задание", "Активировать".
driver menu-keys 3000 0x28 0x28 0x28 0x0D || e2e_fail "cannot choose in the list's menu"
status=""
for _ in $(seq 50); do
  status=$(driver rows 0 1 | cut -f5)
  [ "$status" = "Активно" ] && break
  sleep 0.1
done
if [ "$status" = "Активно" ]; then
  echo "ok: the paused task became active"
else
  e2e_fail "the status cell reads '$status', not 'Активно'"
fi
if LC_ALL=C grep -aq $'^Stat=1\r$' <(LC_ALL=C sed -n '/^\[TASK0\]/,/^\[TASK1\]/p' "$WORK/Data.ini"); then
  echo "ok: Data.ini was written with the new status"
else
  e2e_fail "Data.ini does not hold Stat=1 for the first task"
fi
xdotool key Escape 2>/dev/null || e2e_fail "cannot press Escape"
minimised=0
for _ in $(seq 50); do
  driver window | grep -Fxq $'minimized\t1' && { minimised=1; break; }
  sleep 0.1
done
if [ "$minimised" -eq 1 ]; then
  echo "ok: Escape minimised the window"
else
  e2e_fail "Escape did not minimise the window"
  driver window >&2
fi
