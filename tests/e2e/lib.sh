# shellcheck shell=bash
# Helpers of the end-to-end tests, sourced by their scripts. A test copies vornakel.exe into a
# fresh folder, writes a prepared Data.ini beside it, starts it under Wine in the project's
# virtual desktop, and drives it with vornakel_e2e_driver.exe, a second Wine process.
#
# Fixture files are UTF-8 with LF line ends; e2e_write_ini turns them into what the program
# reads and writes: code page 1251, CR LF after every line, and these tokens replaced:
#   {SOH} the byte 0x01 (a stored line break)   {SP} a blank (where trailing blanks matter)
#   {DEFAULT_X} {DEFAULT_Y} {DEFAULT_R} {DEFAULT_B}  the default window rectangle (718 x 538
#   centred on the work area), known once e2e_read_work_area has run.

E2E_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# shellcheck source=../../scripts/wine-env.sh
source "$E2E_DIR/../../scripts/wine-env.sh"

E2E_FAILURES=0
APP_PID=
WORK=
WORK_ROOT=  # set when the program runs in a subfolder of the test's folder
E2E_PROGRAM_ENV=()  # NAME=VALUE words that the program (only) is started with
DEFAULT_X=
DEFAULT_Y=

e2e_fail() {
  echo "FAIL: $*" >&2
  E2E_FAILURES=$((E2E_FAILURES + 1))
}

# Ends the test at once (the trap still cleans up).
e2e_abort() {
  echo "FAIL: $*" >&2
  exit 1
}

# e2e_init <vornakel.exe> <driver.exe> <artefacts-dir> <name>
e2e_init() {
  VORNAKEL_EXE=$1
  DRIVER_EXE=$2
  ARTEFACTS=$3
  NAME=$4
  [ -f "$VORNAKEL_EXE" ] || e2e_abort "no program at $VORNAKEL_EXE"
  [ -f "$DRIVER_EXE" ] || e2e_abort "no driver at $DRIVER_EXE"
  mkdir -p "$ARTEFACTS"
  vornakel_ensure_display || e2e_abort "no X display"
  vornakel_ensure_prefix
  WORK=$(mktemp -d "/tmp/vornakel-e2e-$NAME.XXXXXX")
  cp "$VORNAKEL_EXE" "$WORK/vornakel.exe"
  trap e2e_cleanup EXIT
  trap 'exit 143' TERM INT HUP
}

# The program must never outlive its test, whatever failed.
e2e_cleanup() {
  local status=$?
  if [ -n "$APP_PID" ] && kill -0 "$APP_PID" 2>/dev/null; then
    # The program runs in a process group of its own (see e2e_start), with anything it started.
    echo "cleanup: killing the program (process group $APP_PID)" >&2
    kill -9 -- "-$APP_PID" 2>/dev/null
    wait "$APP_PID" 2>/dev/null
  fi
  if declare -F e2e_case_cleanup >/dev/null; then e2e_case_cleanup; fi
  if [ -n "$WORK" ] && [ -d "$WORK" ]; then
    [ -f "$WORK/Data.ini" ] && cp "$WORK/Data.ini" "$ARTEFACTS/$NAME.Data.ini"
    rm -rf "${WORK_ROOT:-$WORK}"
  fi
  exit "$status"
}

# Every driver call is bounded, so that a hang names its step instead of running into the
# test's time-out.
driver() {
  local status
  local out
  out=$(mktemp "/tmp/vornakel-driver.XXXXXX")
  # Output to a file first: a helper process that Wine starts must not hold a pipe open.
  timeout -k 5 60 wine "$DRIVER_EXE" "$@" >"$out" </dev/null
  status=$?
  cat "$out"
  rm -f "$out"
  [ "$status" -eq 124 ] && echo "driver $*: no answer within 60 s" >&2
  return "$status"
}

# e2e_expand <fixture>: the fixture in UTF-8 with the rectangle tokens, and {WORK} (the Windows
# path of the program's folder), replaced.
e2e_expand() {
  local work="Z:${WORK//\//\\\\}"
  sed -e "s/{DEFAULT_X}/$DEFAULT_X/g" -e "s/{DEFAULT_Y}/$DEFAULT_Y/g" -e "s|{WORK}|$work|g" \
    -e "s/{DEFAULT_R}/$((DEFAULT_X + 718))/g" -e "s/{DEFAULT_B}/$((DEFAULT_Y + 538))/g" "$1"
}

# e2e_task <n> [Key=value ...]: a task section (fixture form) with every key an older version
# writes, the values given over the defaults (a daily task at 09:00 on 14 March 2024, active,
# never run); keys of no older version follow in the order given.
e2e_task() {
  local n=$1 kv k keys=()
  local -A value=()
  shift
  for kv in Mod=0 Ssec=32400 Year=2024 Mon=3 Day=14 Tex= Del=0 NM=1 Ex=0 OFF=0 Snd=0 Stat=1 FN= \
    PrevY=0 PrevM=0 PrevD=0 PrevH=0 PrevMin=0 PrevS=0 PrevMS=0 "$@"; do
    k=${kv%%=*}
    [ -n "${value[$k]+set}" ] || keys+=("$k")
    value[$k]=${kv#*=}
  done
  echo "[TASK$n]"
  for k in "${keys[@]}"; do echo "$k=${value[$k]}"; done
}

# e2e_write_ini <fixture> <destination>
e2e_write_ini() {
  local text
  text=$(e2e_expand "$1" | iconv -f UTF-8 -t CP1251) ||
    e2e_abort "$1 does not convert to code page 1251"
  printf '%s\n' "$text" | LC_ALL=C sed -e 's/$/\r/' -e 's/{SOH}/\x01/g' -e 's/{SP}/ /g' >"$2"
}

# A Data.ini made readable for a diff: UTF-8, tokens back, no CR.
e2e_readable_ini() {
  iconv -f CP1251 -t UTF-8 "$1" | LC_ALL=C sed -e 's/\x01/{SOH}/g' -e 's/\r$//'
}

# e2e_compare_text <label> <expected> <actual>: both UTF-8 text files.
e2e_compare_text() {
  if ! cmp -s "$2" "$3"; then
    e2e_fail "$1 differs (- expected, + actual):"
    diff -u "$2" "$3" | tail -n +3 | sed 's/\t/ ⇥ /g' >&2
    return 1
  fi
  echo "ok: $1"
}

# e2e_compare_ini <label> <expected cp1251> <actual cp1251>: byte for byte. The last moment the
# program was seen running (Seen=) follows the real clock: only the line's place is compared,
# unless E2E_KEEP_SEEN=1 (a case that masks it itself, with saved.sed).
e2e_compare_ini() {
  if [ ! -f "$3" ]; then
    e2e_fail "$1: the program wrote no Data.ini"
    return 1
  fi
  if [ "${E2E_KEEP_SEEN:-0}" != 1 ]; then
    local masked_expected masked_actual
    masked_expected=$(mktemp) && masked_actual=$(mktemp) || return 1
    LC_ALL=C sed -e 's/^Seen=.*\r$/Seen=(the last moment seen)\r/' "$2" >"$masked_expected"
    LC_ALL=C sed -e 's/^Seen=.*\r$/Seen=(the last moment seen)\r/' "$3" >"$masked_actual"
    E2E_KEEP_SEEN=1 e2e_compare_ini "$1" "$masked_expected" "$masked_actual"
    local status=$?
    rm -f "$masked_expected" "$masked_actual"
    return "$status"
  fi
  if cmp -s "$2" "$3"; then
    echo "ok: $1 (byte for byte)"
    return 0
  fi
  e2e_fail "$1 differs from the expected bytes (- expected, + actual):"
  diff -u <(e2e_readable_ini "$2") <(e2e_readable_ini "$3") | tail -n +3 >&2
  if diff -q <(e2e_readable_ini "$2") <(e2e_readable_ini "$3") >/dev/null; then
    echo "  (same text: the bytes differ in line ends or encoding; first differences:)" >&2
    cmp -l "$2" "$3" | head -n 5 >&2
  fi
  return 1
}

# e2e_start [faked local time]: starts the copy in $WORK; its output goes to $WORK/wine.log.
e2e_start() {
  e2e_start_in "$WORK" "$WORK/wine.log" "$@"
}

# e2e_start_in <folder> <log> [faked local time]: starts the vornakel.exe in <folder>, its output
# going to <log> (outside a folder that a test makes full or read-only).
e2e_start_in() {
  local folder=$1
  local log=$2
  shift 2
  driver wait-no-window 10000 ||
    e2e_abort "a window of class TForm1 titled \" Vornakel\" is already open in the desktop"
  # shellcheck disable=SC2034  # read by the scripts that measure start-up
  E2E_START_MS=$(date +%s%3N)
  # setsid: a process group of its own, so that the clean-up also ends what faketime forks and
  # whatever the program starts.
  if [ -n "${1:-}" ]; then
    # The wineserver is already running (vornakel_ensure_prefix), so only the program sees the
    # faked clock; monotonic time stays real or every wait with a time-out hangs.
    (cd "$folder" && exec setsid env FAKETIME_DONT_FAKE_MONOTONIC=1 "${E2E_PROGRAM_ENV[@]}" faketime "$1" \
      wine ./vornakel.exe) >"$log" 2>&1 &
  else
    (cd "$folder" && exec setsid env "${E2E_PROGRAM_ENV[@]}" wine ./vornakel.exe) >"$log" 2>&1 &
  fi
  APP_PID=$!
}

# e2e_start_on_clock_file <local time>: starts the program in $WORK with a clock that the test
# moves (e2e_set_clock); libfaketime reads it from a file at every call.
e2e_start_on_clock_file() {
  local lib=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1
  [ -f "$lib" ] || e2e_abort "libfaketime is not installed ($lib)"
  E2E_CLOCK_FILE="$WORK/clock.rc"
  e2e_set_clock "$1"
  # The wineserver already runs, so only the program sees the faked clock; monotonic time stays
  # real or every wait with a time-out hangs.
  E2E_PROGRAM_ENV+=("LD_PRELOAD=$lib" "FAKETIME_TIMESTAMP_FILE=$E2E_CLOCK_FILE"
    FAKETIME_NO_CACHE=1 FAKETIME_DONT_FAKE_MONOTONIC=1)
  e2e_start
}

# The reading is replaced in one rename, so the program never reads a half-written file.
e2e_set_clock() {
  printf '%s\n' "$1" >"$E2E_CLOCK_FILE.new" && mv -f "$E2E_CLOCK_FILE.new" "$E2E_CLOCK_FILE"
  echo "clock: $1"
}

# Waits for the program's process to end by itself; 0 when it did.
e2e_wait_exit() {  # <timeout-ms>
  local deadline=$(($(date +%s%3N) + $1))
  while kill -0 "$APP_PID" 2>/dev/null; do
    [ "$(date +%s%3N)" -ge "$deadline" ] && return 1
    sleep 0.05
  done
  wait "$APP_PID" 2>/dev/null
  return 0
}

# Closes the program as "Close window" on its taskbar button does (WM_SYSCOMMAND SC_CLOSE to the
# window carrying the button) and waits for the process to end; the program writes Data.ini on
# the way out.
e2e_close() {
  local out
  if ! out=$(driver close 20000); then
    e2e_fail "the program did not end after its taskbar button was closed"
    return 1
  fi
  echo "closed: ${out//$'\t'/ }"
  e2e_wait_exit 5000 || { e2e_fail "the Wine process outlived the program's window"; return 1; }
}

# Reads the work area and computes the default window position from it. Call it before the
# program starts: its own tray icon shows the taskbar and shrinks the work area afterwards.
e2e_read_work_area() {
  local area
  area=$(driver desktop | awk -F'\t' '$1 == "workarea" { print $2 }')
  [ -n "$area" ] || { e2e_fail "cannot read the work area"; return 1; }
  read -r _ _ WORK_RIGHT WORK_BOTTOM <<<"$area"
  DEFAULT_X=$((WORK_RIGHT / 2 - 718 / 2))
  DEFAULT_Y=$((WORK_BOTTOM / 2 - 538 / 2))
}

e2e_screenshot() {  # <file name without extension>
  local shot="$ARTEFACTS/$1.png"
  if timeout 30 import -display "$DISPLAY" -window root "$shot" 2>"$WORK/import.log"; then
    echo "screenshot: $shot"
  else
    e2e_fail "screenshot failed: $(cat "$WORK/import.log")"
  fi
}

e2e_finish() {
  if [ "$E2E_FAILURES" -ne 0 ]; then
    echo "$NAME: $E2E_FAILURES check(s) failed" >&2
    exit 1
  fi
  echo "$NAME: all checks passed"
  exit 0
}
