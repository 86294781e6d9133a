#!/usr/bin/env bash
# Working set of vornakel.exe with 1,000 tasks, beside that of a bare window as large as its own
# with an empty list view in the same Wine (the driver's own, measured after it). Figures are
# printed, never asserted; the test fails only if the program does not show its rows or cannot be
# measured.
#
# usage: memory_bench.sh <vornakel.exe> <driver.exe> <artefacts-dir> [runs, default 3]
set -uo pipefail
source "$(dirname "$0")/../../tests/e2e/lib.sh"

e2e_init "$1" "$2" "$3" memory_1000
TASKS=1000
RUNS=${4:-3}

# Paused tasks with texts of a usual length: nothing fires while the figures are taken.
awk -v n="$TASKS" 'BEGIN {
  print "[SETTINGS]"
  print "WinX=100"; print "WinY=60"; print "WinW=820"; print "WinH=600"
  print "WinS=0"; print "Tray=1"; print "WinMax=0"; print "SMin=0"
  print "TasksN=" n; print "LastOD="
  for (i = 0; i < n; i++) {
    print "[TASK" i "]"
    print "Mod=" (i % 11); print "Ssec=" ((i * 7919) % 86400)
    print "Year=2030"; print "Mon=" (1 + i % 12); print "Day=" (1 + i % 28)
    print "Tex=Позвонить по делу номер " (i + 1) "{SOH}и записать ответ"
    print "Stat=2"
  }
}' >"$WORK/fixture.ini"

kb() { awk -F'\t' -v key="$1" '$1 == key { print $2 }'; }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
cp "$E2E_DIR/../../res/vornakel.exe.manifest" "$WORK/bare.manifest"
plain_differences=()
styled_differences=()
for run in $(seq "$RUNS"); do
  e2e_write_ini "$WORK/fixture.ini" "$WORK/Data.ini"
  e2e_start
  driver wait-rows "$TASKS" 30000 >/dev/null || e2e_abort "the list did not reach $TASKS rows"
  # Scroll through nothing: the figure is the one after start-up, once the list has painted.
  sleep 2
  program=$(driver memory) || e2e_abort "cannot read the program's memory counters"
  bare=$(driver bare-memory) || e2e_abort "cannot measure the bare window"
  # The same with the program's manifest: common controls 6 and visual styles, as the program has.
  styled=$(driver bare-memory "$(winepath -w "$WORK/bare.manifest" 2>/dev/null)") ||
    e2e_abort "cannot measure the bare window with the manifest"
  e2e_close

  program_ws=$(kb working-set-kb <<<"$program")
  bare_ws=$(kb working-set-kb <<<"$bare")
  styled_ws=$(kb working-set-kb <<<"$styled")
  plain_differences+=($((program_ws - bare_ws)))
  styled_differences+=($((program_ws - styled_ws)))
  echo "run $run: program with $TASKS tasks: working set $program_ws KB," \
    "peak $(kb peak-working-set-kb <<<"$program") KB, page file $(kb pagefile-kb <<<"$program") KB;" \
    "bare window with an empty list view: $bare_ws KB, with the program's manifest (common" \
    "controls 6): $styled_ws KB"
done
echo "program's threads: $(kb threads <<<"$program"), the bare window's: $(kb threads <<<"$bare")"
# The DLLs the program has loaded beyond the bare window's.
echo "program's DLLs beyond the bare window's: $(comm -23 \
  <(kb modules <<<"$program" | tr ' ' '\n' | tr 'A-Z' 'a-z' | sort) \
  <(kb modules <<<"$bare" | tr ' ' '\n' | tr 'A-Z' 'a-z' | sort) | tr '\n' ' ')"
echo "difference (median of $RUNS): $(printf '%s\n' "${plain_differences[@]}" | median) KB to the" \
  "plain one, $(printf '%s\n' "${styled_differences[@]}" | median) KB to the one with the manifest"
e2e_finish
