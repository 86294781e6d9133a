# shellcheck shell=bash
# The shutdown task fired at 12:00:06 (faked clock) while the program ran: instead of shutting
# down at once, the warning is on top, counting down, and the window that had the keyboard keeps
# it. A real mouse click on "Отмена" closes it, and the program runs on (closed afterwards by the
# test, saving the task done for today). The real shutdown must never run here: should "Отмена"
# fail, a watchdog ends the program long before the count does.
# (Its output goes nowhere, or the test's pipe would stay open until it ends.)
( sleep 40 && kill -9 -- "-$APP_PID" ) >/dev/null 2>&1 &
WATCHDOG=$!
warning_line() {  # <key>: the value of that line of `driver warning`
  driver warning 2>/dev/null | awk -F'\t' -v key="$1" '$1 == key { print $2 " " $3 }'
}
counted() { driver warning 2>/dev/null | head -n 1 | grep -o 'через [0-9]* с' | grep -o '[0-9]*'; }
seen=$(driver warning 2>/dev/null | head -n 1)
first=$(grep -o 'через [0-9]* с' <<<"$seen" | grep -o '[0-9]*')
expected=" Vornakel	Static:Компьютер будет выключен через $first с	Button:Выключить сейчас	Button:Отмена"
if [ -n "$first" ] && [ "$first" -le 60 ] && [ "$first" -gt 30 ] && [ "$seen" = "$expected" ]; then
  echo "ok: the warning counts: $first s left"
else
  e2e_fail "no shutdown warning counting from 60: '$seen'"
fi
[ "$(warning_line topmost)" = "1 " ] && echo "ok: the warning is topmost" || e2e_fail "the warning is not topmost"
foreground=$(warning_line foreground)
[ "$foreground" != "VornakelShutdownWarning " ] && echo "ok: the keyboard stays with $foreground" ||
  e2e_fail "the warning took the foreground"
sleep 1.2
later=$(counted)
if [ -n "$later" ] && [ "$later" -lt "$first" ]; then
  echo "ok: the count went on: $later s left"
else
  e2e_fail "the count did not go on ($first, then '$later')"
fi
e2e_screenshot "$NAME-warning"
# "Отмена" (control 3002) by a real click at its centre.
read -r x y < <(driver warning | awk -F'\t' '$1 == "button" && $2 == 3002 { print $3 }')
xdotool mousemove "$x" "$y" click 1 2>/dev/null
for _ in $(seq 30); do
  driver warning >/dev/null 2>&1 || break
  sleep 0.1
done
if driver warning >/dev/null 2>&1; then
  e2e_fail "the warning is still open after a click on \"Отмена\" at $x $y"
else
  echo "ok: \"Отмена\" closed the warning"
fi
sleep 1
if kill -0 "$APP_PID" 2>/dev/null && driver wait-window 0 >/dev/null; then
  echo "ok: the program runs on"
else
  e2e_fail "the program ended after \"Отмена\""
fi
kill $(pgrep -P "$WATCHDOG") "$WATCHDOG" 2>/dev/null
wait "$WATCHDOG" 2>/dev/null
