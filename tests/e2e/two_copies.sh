#!/usr/bin/env bash
# Two copies started at the same moment, as autostart and a quick manual start or a double
# click made twice do: every time exactly one runs, and the other ends by itself at once.
#
# usage: two_copies.sh <vornakel.exe> <driver.exe> <artefacts-dir> [rounds, default 8]
set -uo pipefail
source "$(dirname "$0")/lib.sh"

e2e_init "$1" "$2" "$3" two_copies
ROUNDS=${4:-8}
printf '[SETTINGS]\r\nTray=0\r\nTasksN=0\r\n' >"$WORK/Data.ini"

alive() { kill -0 "$1" 2>/dev/null; }

for round in $(seq "$ROUNDS"); do
  driver wait-no-window 10000 || e2e_abort "a main window is already open in the desktop"
  (cd "$WORK" && exec setsid wine ./vornakel.exe) >"$WORK/first.log" 2>&1 &
  first=$!
  (cd "$WORK" && exec setsid wine ./vornakel.exe) >"$WORK/second.log" 2>&1 &
  second=$!
  APP_PID=$first  # the clean-up ends it whatever happens
  driver wait-window 20000 >/dev/null || e2e_abort "round $round: no main window appeared"
  # The copy that lost ends within moments; give it time to.
  for _ in $(seq 40); do
    alive "$first" && alive "$second" || break
    sleep 0.1
  done
  if alive "$first" && alive "$second"; then
    e2e_fail "round $round: both copies run"
    kill -9 -- "-$second" 2>/dev/null
    wait "$second" 2>/dev/null
  elif ! alive "$first" && ! alive "$second"; then
    e2e_fail "round $round: neither copy runs"
    continue
  else
    echo "ok: round $round: one copy runs"
  fi
  if alive "$second"; then APP_PID=$second; wait "$first" 2>/dev/null; else wait "$second" 2>/dev/null; fi
  e2e_close || e2e_abort "round $round: the running copy did not close"
done
e2e_finish
