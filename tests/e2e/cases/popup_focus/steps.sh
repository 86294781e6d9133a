# shellcheck shell=bash
# A reminder opens while another program (Wine's notepad) has the keyboard: the notepad keeps it,
# and what is typed there, Space and Enter included, arrives there and not in the popup. A single
# click on the popup's OK answers it. The tray icon's tip is shown for the pictures (the shell's
# tip cannot be read from another process).
tip_picture() {  # <name>: the pointer over the tray icon until its tip shows
  xdotool mousemove 1000 10 sleep 0.3 mousemove 1012 758 2>/dev/null
  sleep 2.5
  e2e_screenshot "$NAME-$1"
}
tip_picture tip-another-year

(cd "$WORK" && exec setsid wine notepad) >"$WORK/notepad.log" 2>&1 &
NOTEPAD_PID=$!
e2e_case_cleanup() { kill -9 -- "-$NOTEPAD_PID" 2>/dev/null; }
for _ in $(seq 100); do
  driver focus | grep -Fxq $'foreground\tNotepad' && break
  sleep 0.1
done
xdotool type --delay 50 "abc" 2>/dev/null || e2e_fail "cannot type"
sleep 0.5
driver focus >"$WORK/focus.before"
e2e_screenshot "$NAME-notepad"
grep -Fxq $'focus\tEdit\tabc' "$WORK/focus.before" || e2e_abort "notepad has not the keyboard: $(cat "$WORK/focus.before")"

# A task handed over by a second start fires ten seconds later; meanwhile the tip names it.
(cd "$WORK" && timeout 30 wine ./vornakel.exe /in 10s Обед) </dev/null >/dev/null 2>&1 ||
  e2e_fail "the command line did not add the task"
tip_picture tip-after-adding
for _ in $(seq 150); do
  [ -n "$(driver popups)" ] && break
  sleep 0.1
done
[ -n "$(driver popups)" ] || e2e_abort "no popup opened"
sleep 0.5
e2e_screenshot "$NAME-popup-over-notepad"
xdotool type --delay 50 "d e" 2>/dev/null && xdotool key Return 2>/dev/null && xdotool type "f" 2>/dev/null
sleep 0.5
driver focus >"$WORK/focus.after"
e2e_compare_text "the keyboard stays in notepad" <(printf 'foreground\tNotepad\nfocus\tEdit\tabcd e<0D><0A>f\n') \
  "$WORK/focus.after"
driver popups | grep -Fq $'Edit:Обед\tButton:OK' && echo "ok: the popup stayed open" ||
  e2e_fail "the popup closed or changed: $(driver popups)"

read -r x y <<<"$(driver controls MyVornakelClass | awk -F'\t' '$1 == "Button" && $2 == "OK" { print $3; exit }')"
[ -n "$y" ] || e2e_abort "no OK on the popup"
xdotool mousemove "$x" "$y" click 1 2>/dev/null || e2e_fail "cannot click OK"
sleep 1
[ -z "$(driver popups)" ] && echo "ok: one click on OK answered the popup" ||
  e2e_fail "the popup is still open after a click on OK"
tip_picture tip-after-firing
