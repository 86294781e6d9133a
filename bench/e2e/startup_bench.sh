#!/usr/bin/env bash
# Start-up with 10,000 tasks: measures the time from starting vornakel.exe until its list holds
# all rows, and checks a few sampled rows and the file written at exit. The figures are printed,
# never asserted; the test fails only if the rows never appear or their texts are wrong.
#
# usage: startup_bench.sh <vornakel.exe> <driver.exe> <artefacts-dir> [runs, default 5]
set -uo pipefail
source "$(dirname "$0")/../../tests/e2e/lib.sh"

e2e_init "$1" "$2" "$3" startup_10000
RUNS=${4:-5}
TASKS=10000

# Every task is done (0) or paused (2): none fires or is re-activated, whatever the clock says,
# so the file written at exit must equal this one. The fields vary with the index so that the
# sampled rows cover all kinds of moment and action texts.
generate() {  # <tasks>
  awk -v n="$1" 'BEGIN {
    print "[SETTINGS]"
    print "WinX=100"; print "WinY=60"; print "WinW=820"; print "WinH=600"
    print "WinS=0"; print "Tray=0"; print "WinMax=0"; print "SMin=0"
    print "Ln0=50"; print "Ln1=200"; print "Ln2=230"; print "Ln3=200"; print "Ln4=120"
    print "TasksN=" n; print "LastOD="; print "Snooze=10"; print "SnoozeN=0"; print "LastSD="
    print "Seen=2024-05-15 09:00:00"
    for (i = 0; i < n; i++) {
      print "[TASK" i "]"
      print "Mod=" (i % 11)
      print "Ssec=" ((i * 7919) % 86400)
      print "Year=" (2030 + i % 50)
      print "Mon=" (1 + i % 12)
      print "Day=" (1 + i % 28)
      print "Tex=Задание " (i + 1) "{SOH}строка " (i % 97)
      print "Del=" (i % 7 == 0)
      print "NM=" (i % 3 != 0)
      print "Ex=" (i % 5 == 0)
      print "OFF=" (i % 13 == 0)
      print "Snd=" (i % 2)
      print "Stat=" (i % 3 == 0 ? 2 : 0)
      print "FN=" (i % 5 == 0 ? "C:\\Задачи\\run" i ".bat" : "")
      print "PrevY=2024"; print "PrevM=5"; print "PrevD=15"
      print "PrevH=9"; print "PrevMin=0"; print "PrevS=0"; print "PrevMS=0"
      print "SndF="; print "Rpt=0"; print "Wake=0"
    }
  }'
}
generate "$TASKS" >"$WORK/fixture.ini"
e2e_write_ini "$WORK/fixture.ini" "$WORK/Data.ini.input"
echo "Data.ini: $TASKS tasks, $(stat -c %s "$WORK/Data.ini.input") bytes"

# Row index (from 0) and its expected cells.
declare -A SAMPLES=(
  [0]=$'1\tЗадание 1 строка 0\tЕжедневно в 00:00:00\tВыключить компьютер и удалить задание\tПриостановлено'
  [8]=$'9\tЗадание 9 строка 8\t9 числа ежемесячно в 17:35:52\tПоказать сообщение\tВыполнено'
  [9]=$'10\tЗадание 10 строка 9\t10 октября ежегодно  в 19:47:51\tНе показать сообщение, звуковой сигнал\tПриостановлено'
  [10]=$'11\tЗадание 11 строка 10\t11 ноября 2040 года в 21:59:50\tПоказать сообщение и запустить C:\\Задачи\\run10.bat\tВыполнено'
  [4999]=$'5000\tЗадание 5000 строка 52\tКаждую пятницу в 04:24:41\tПоказать сообщение, звуковой сигнал\tВыполнено'
  [9999]=$'10000\tЗадание 10000 строка 8\tЕжедневно в 11:01:21\tНе показать сообщение, звуковой сигнал\tПриостановлено'
)

# ms from starting the program until the list holds <rows> rows: E2E_START_MS to the moment the
# driver saw them (both the host's wall clock).
start_to_rows() {  # <rows>
  local out
  out=$(driver wait-rows "$1" 30000) || return 1
  echo $(($(awk -F'\t' '$1 == "seen-unix-ms" { print $2 }' <<<"$out") - E2E_START_MS))
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# For scale: the same start with the same settings and no tasks, until the (empty) list exists,
# and with 40 tasks, a list just longer than its window: under Wine's theme its scroll bar alone
# costs the first painting tens of milliseconds, whatever the number of rows. The starts take
# turns, so that a machine growing busier or quieter weighs on all alike.
generate 0 >"$WORK/empty.ini"
generate 40 >"$WORK/scroll.ini"
start_for_scale() {  # <ini> <rows> <figures array>
  local -n into=$3
  e2e_write_ini "$1" "$WORK/Data.ini"
  e2e_start
  figure=$(start_to_rows "$2") || e2e_abort "with $2 tasks: no list within 30 s"
  into+=("$figure")
  driver close 30000 >/dev/null || e2e_fail "the program with $2 tasks did not end when closed"
  e2e_wait_exit 5000
}

figures=()
empty_figures=()
scroll_figures=()
for run in $(seq "$RUNS"); do
  cp "$WORK/Data.ini.input" "$WORK/Data.ini"
  e2e_start
  figure=$(start_to_rows "$TASKS") || e2e_abort "run $run: the list did not reach $TASKS rows within 30 s"
  figures+=("$figure")
  echo "run $run: start to $TASKS rows: $figure ms"

  if [ "$run" -eq 1 ]; then
    for index in $(printf '%s\n' "${!SAMPLES[@]}" | sort -n); do
      actual=$(driver rows "$index" 1)
      if [ "$actual" == "${SAMPLES[$index]}" ]; then
        echo "ok: row $((index + 1))"
      else
        e2e_fail "row $((index + 1)):"$'\n'"  expected: ${SAMPLES[$index]}"$'\n'"  actual:   $actual"
      fi
    done
    count=$(driver count)
    [ "$count" == "$TASKS" ] || e2e_fail "the list holds $count rows"
    sleep 0.5
    e2e_screenshot startup_10000
  fi

  if out=$(driver close 30000); then
    echo "run $run: close and final save: $(awk -F'\t' '$1 == "ended-ms" { print $2 }' <<<"$out") ms"
  else
    e2e_fail "run $run: the program did not end after WM_CLOSE"
  fi
  e2e_wait_exit 5000 || e2e_fail "run $run: the Wine process outlived the window"
  # Nothing fired, the geometry was not touched: the file comes back byte for byte.
  e2e_compare_ini "run $run: Data.ini written at exit" "$WORK/Data.ini.input" "$WORK/Data.ini"
  start_for_scale "$WORK/empty.ini" 0 empty_figures
  start_for_scale "$WORK/scroll.ini" 40 scroll_figures
done

with=$(printf '%s\n' "${figures[@]}" | median)
without=$(printf '%s\n' "${empty_figures[@]}" | median)
scroll=$(printf '%s\n' "${scroll_figures[@]}" | median)
echo "start-up to $TASKS rows (ms): $(printf '%s\n' "${figures[@]}" | sort -n | tr '\n' ' ')median $with ms"
echo "for scale, the same start without tasks (ms):" \
  "$(printf '%s\n' "${empty_figures[@]}" | sort -n | tr '\n' ' ')median $without ms"
echo "and with 40 tasks (ms): $(printf '%s\n' "${scroll_figures[@]}" | sort -n | tr '\n' ' ')median $scroll ms"
awk -v a="$with" -v b="$without" -v c="$scroll" -v n="$TASKS" 'BEGIN {
  printf "%d tasks add %d ms, %+.1f %% of the start without tasks; 40 tasks add %d ms, %+.1f %%\n",
    n, a - b, (a - b) * 100 / b, c - b, (c - b) * 100 / b }'
e2e_finish
