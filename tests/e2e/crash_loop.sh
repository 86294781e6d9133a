#!/usr/bin/env bash
# The program killed at random moments of a storm of saves, a few hundred times: Data.ini must
# always load and keep every task it held (vornakel_crash_loop.exe does the killing and checks).
#
#   crash_loop.sh <vornakel.exe> <driver.exe> <artefacts-dir> <crash_loop.exe> [kills [tasks [seed]]]
#
# Every kill needs a fresh start, and the checker's first pass comes about a second after it,
# so one kill costs one and a half to two seconds: the ctest case makes 80; a longer run takes
# the count.
set -u
source "$(dirname "$0")/lib.sh"

TOOL_EXE=$4
KILLS=${5:-80}
TASKS=${6:-120}
SEED=${7:-$(date +%s)}

e2e_init "$1" "$2" "$3" crash_loop
[ -f "$TOOL_EXE" ] || e2e_abort "no crash loop tool at $TOOL_EXE"
cp "$TOOL_EXE" "$WORK/vornakel_crash_loop.exe"

echo "seed $SEED (rerun: crash_loop.sh ... $KILLS $TASKS $SEED)"
started=$(date +%s)
log="$ARTEFACTS/crash_loop.log"
LIMIT=$((120 + 4 * KILLS))
(cd "$WORK" && timeout -k 10 "$LIMIT" wine ./vornakel_crash_loop.exe loop "$KILLS" "$SEED" "$TASKS") \
  >"$log" 2>"$WORK/tool.err" </dev/null
status=$?
cat "$log"
grep -v '^$' "$WORK/tool.err" >&2 || true
echo "duration $(($(date +%s) - started)) s"
left=$(find "$WORK" -mindepth 1 -maxdepth 1 ! -name vornakel.exe ! -name vornakel_crash_loop.exe \
  ! -name tool.err -printf '%f ' | sort)
echo "files left in the folder: $left"
# Files a failing iteration kept.
for kept in "$WORK"/Data.ini.failed-* "$WORK"/Data.ini.composed; do
  [ -f "$kept" ] && cp "$kept" "$ARTEFACTS/crash_loop.$(basename "$kept")"
done

case $status in
  0) ;;
  1) e2e_fail "the crash loop found faults (see above)" ;;
  124 | 137) e2e_fail "the crash loop did not end within $LIMIT s" ;;
  *) e2e_fail "the crash loop could not run (exit $status)" ;;
esac
grep -q "^kills $KILLS " "$log" || e2e_fail "the loop did not report $KILLS kills"
e2e_finish
