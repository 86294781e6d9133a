# shellcheck shell=bash
# Started minimised without the tray, the window is on the taskbar only; the first toggle brings
# it back at its stored place. Then the end of the Windows session: the query saves Data.ini,
# and the end itself stops the program, which ends by itself.
driver post 0x8004 0 515 || e2e_fail "cannot post the toggle"
for _ in $(seq 50); do
  driver window | grep -Fxq $'minimized\t0' && break
  sleep 0.1
done
if driver window | grep -Fxq $'rect\t180 110 820 610'; then
  echo "ok: the toggle restored the window at its place"
else
  e2e_fail "the toggle did not restore the window at 180 110 820 610"
  driver window >&2
fi
driver post 0x0011 0 0 || e2e_fail "cannot post WM_QUERYENDSESSION"
driver post 0x0016 1 0 || e2e_fail "cannot post WM_ENDSESSION"
if e2e_wait_exit 10000; then
  echo "ok: the end of the session ended the program"
  E2E_EXITED=1
else
  e2e_fail "the program did not end after WM_ENDSESSION"
fi
