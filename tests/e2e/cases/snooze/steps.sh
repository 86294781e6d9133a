# shellcheck shell=bash
# The reminder put off before the start came back at once; the save that followed took it out
# of Data.ini. "Отложить" with "5 мин" puts it off again: one [SNOOZE0] due five minutes after
# the press, with its own title and message, and the choice remembered.
if e2e_readable_ini "$WORK/Data.ini" | grep -q '^\[SNOOZE0\]$'; then
  e2e_fail "Data.ini still holds the reminder that came back"
else
  echo "ok: the reminder that came back left Data.ini"
fi
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
