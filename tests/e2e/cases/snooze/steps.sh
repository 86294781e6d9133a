# shellcheck shell=bash
# The reminder put off before the start came back at once; the save that followed took it out
# of Data.ini. "Отложить" with "5 мин" puts it off again: one [SNOOZE0] due five minutes after
# the press, with its own title and message, and the choice remembered.
if e2e_readable_ini "$WORK/Data.ini" | grep -q '^\[SNOOZE0\]$'; then
  e2e_fail "Data.ini still holds the reminder that came back"
else
  echo "ok: the reminder that came back left Data.ini"
fi
# Escape with a drop-down list open closes only the list, through the real mouse and keyboard. In
# the reminder's duration list the main window stays; in the editor of a new task the editor stays
# with the typed message, and a second Escape then cancels the task as before.
# point <class> <control class>: the centre of the first such control of the visible window.
point() { driver controls "$1" | awk -F'\t' -v c="$2" '$1 == c { print $3; exit }'; }
# message: the text of the editor's message field, its first edit field.
message() { driver controls TForm2 | awk -F'\t' '$1 == "Edit" { print $2; exit }'; }

# escape_in_list <window class> <screenshot name>: drops the window's first list, presses Escape.
escape_in_list() {
  local x y
  read -r x y <<<"$(point "$1" ComboBox)"
  [ -n "$y" ] || e2e_abort "no drop-down list in $1"
  xdotool mousemove "$x" "$y" click 1 2>/dev/null || e2e_fail "cannot click the list of $1"
  sleep 0.7
  e2e_screenshot "$NAME-$2"
  xdotool key Escape 2>/dev/null || e2e_fail "cannot press Escape"
  sleep 1
}

escape_in_list MyVornakelClass duration-list
if driver window | grep -Fxq $'visible\t1' && driver window | grep -Fxq $'minimized\t0'; then
  echo "ok: Escape in the duration list left the main window"
else
  e2e_fail "Escape in the duration list hid or minimised the main window"
fi
[ -n "$(driver popups)" ] && echo "ok: the popup stayed" || e2e_fail "the popup closed"

# "Добавить задание": the button at the client area's bottom left.
read -r cx cy _ ch <<<"$(driver window | awk -F'\t' '$1 == "client" { print $2 }')"
xdotool mousemove $((cx + 70)) $((cy + ch - 14)) click 1 2>/dev/null || e2e_fail "cannot click"
sleep 1
xdotool type --delay 100 "Не потерять" 2>/dev/null || e2e_fail "cannot type"
sleep 0.5
typed=$(message)
[ -n "$typed" ] || e2e_fail "nothing was typed into the message field"
escape_in_list TForm2 editor-list
if [ -n "$typed" ] && [ "$(message)" = "$typed" ]; then
  echo "ok: Escape in the editor's list kept the editor and the typed message"
else
  e2e_fail "Escape in the editor's list closed the editor or lost the message"
fi
xdotool key Escape 2>/dev/null || e2e_fail "cannot press Escape"
sleep 1
driver controls TForm2 >/dev/null 2>&1 && e2e_fail "a second Escape did not cancel the new task"
[ "$(driver count)" = 1 ] || e2e_fail "the cancelled task was added"

pressed=$(date +%s)
driver snooze 0 >/dev/null || e2e_fail "cannot press \"Отложить\""
for _ in $(seq 50); do
  e2e_readable_ini "$WORK/Data.ini" | grep -q '^\[SNOOZE0\]$' && break
  sleep 0.1
done
e2e_readable_ini "$WORK/Data.ini" >"$WORK/snoozed.ini"
due=$(sed -n 's/^Due=//p' "$WORK/snoozed.ini")
late=$(($(date -d "$due" +%s 2>/dev/null || echo 0) - pressed - 300))
if [ "${late#-}" -le 2 ]; then
  echo "ok: due $due, five minutes after the press"
else
  e2e_fail "due '$due' is not five minutes (± 2 s) after the press"
fi
[ -z "$(driver popups)" ] && echo "ok: the popup closed" || e2e_fail "the popup is still open"
