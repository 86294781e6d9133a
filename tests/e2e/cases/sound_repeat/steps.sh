# shellcheck shell=bash
# The task fired at once with its popup; its sound file plays again 10 s after it ended while the
# popup is open, and no more once OK is clicked. The plays are read from winmm's trace.
plays() { grep -c 'proc_PlaySound SoundName=L".*gong.wav"' "$WORK/wine.log"; }
for _ in $(seq 100); do e2e_readable_ini "$WORK/Data.ini" | grep -q '^Stat=0$' && break; sleep 0.1; done
if ! e2e_readable_ini "$WORK/Data.ini" | grep -q '^SndF=.'; then
  echo "SKIPPED: this build does not keep a task's sound file in Data.ini"
  return 0
fi
for _ in $(seq 300); do [ "$(plays)" -ge 2 ] && break; sleep 0.1; done
[ "$(plays)" -ge 2 ] && echo "ok: played again while the popup is open" ||
  e2e_fail "the sound played $(plays) time(s) while the popup was open, not again"
read -r x y <<<"$(driver controls MyVornakelClass | awk -F'\t' '$1 == "Button" && $2 == "OK" { print $3; exit }')"
[ -n "$y" ] || e2e_abort "no OK button on the popup"
xdotool mousemove "$x" "$y" click 1 2>/dev/null || e2e_fail "cannot click OK"
sleep 1
[ -z "$(driver popups)" ] && echo "ok: OK closed the popup" || e2e_fail "the popup is still open"
answered=$(plays)
sleep 12  # longer than the pause after which the sound would play again
[ "$(plays)" -eq "$answered" ] && echo "ok: no more plays after OK ($answered in all)" ||
  e2e_fail "the sound played $(($(plays) - answered)) more time(s) after OK"
