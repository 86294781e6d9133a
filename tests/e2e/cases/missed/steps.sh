# shellcheck shell=bash
# Seen three days back (Sunday 08:00), started on Wednesday at noon: the daily 09:00 task is made
# up today (its popup) and its three earlier moments are listed; the Sunday task that only runs
# a file is listed once (its day is gone: nothing runs); the paused one is not. The list stays on
# top without taking the keyboard; OK closes it. The file written at exit holds the new Seen.
printf '%s\n' "title	Пропущенные напоминания" "foreground	0" "topmost	1" \
  "14.05.2024 09:00:00	×3	Зарядка	Показать сообщение" \
  "12.05.2024 10:00:00		Резервная копия	Не показать сообщение и запустить C:\\nothing\\backup.bat" \
  >"$WORK/missed.expected"
driver missed >"$WORK/missed.actual" || e2e_fail "driver missed failed"
e2e_compare_text "the list of missed reminders" "$WORK/missed.expected" "$WORK/missed.actual"
driver missed ok >/dev/null || e2e_fail "cannot press OK in the list"
sleep 0.5
if driver missed >/dev/null 2>&1; then e2e_fail "OK left the list open"; else echo "ok: OK closed the list"; fi
