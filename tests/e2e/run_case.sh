#!/usr/bin/env bash
# Runs vornakel.exe on one prepared case and checks it from outside.
#
# usage: run_case.sh <vornakel.exe> <driver.exe> <artefacts-dir> <case-dir>
#
# The case folder holds (all optional but data.ini's absence means "start without a file"):
#   data.ini      the Data.ini to start with (fixture form, see lib.sh)
#   data.sh       instead of data.ini: sourced, it prints that file (e2e_task for the tasks)
#   clock.txt     a local time to fake for the program ("2024-05-15 12:00:00"); it runs on from there
#   rows.txt      the expected list rows: cells TAB-separated, control characters as <XX>
#   columns.txt   the expected column captions and widths
#   window.txt    lines that the driver's `window` output must contain (with error.txt: while
#                 the box is open)
#   restore.txt   present: restore the window (SC_RESTORE) before closing; then these lines
#   saved.ini     the Data.ini expected after the window is closed, byte for byte
#   saved.edits   instead of saved.ini: that Data.ini as a sed script's edits of data.ini, after
#                 the keys every task section of an older file gains (SndF=, Rpt=0 and Wake=0
#                 after PrevMS)
#   autostart.txt "1": the Startup-folder shortcut must be created at start-up (target and
#                 working folder read back with lnkinfo); "0": a shortcut put there before the
#                 start must be deleted by it
#   error.txt     the start-up must show this message box ("caption TAB text"; {DATA_INI} stands
#                 for the Windows path of the case's Data.ini); then no Data.ini may be
#                 written, whether the program goes on or ends
#   settle.txt    seconds to let the checker make its passes before anything is read
#   popups.txt    the reminder popups expected then (driver `popups`, lines sorted)
#   folder.txt    the name of a subfolder to run the program from (UTF-8, any script)
#   steps.sh      sourced after the checks and the screenshot: drives the program (driver post,
#                 menu-keys...); sets E2E_EXITED=1 when it made the program end by itself
#   sound.txt     the name of a WAV file (a tenth of a second) to make in the program's folder;
#                 the program gets a null sound device, so PlaySound plays (faster than real
#                 time), and its winmm calls go to $WORK/wine.log ("proc_PlaySound SoundName=...")
#   saved.sed     a sed script applied to both Data.ini texts before they are compared (for
#                 values that depend on the running clock, such as the second of a firing; one
#                 that mentions Seen= masks that line itself, which is otherwise masked whole)
set -uo pipefail
source "$(dirname "$0")/lib.sh"

CASE_DIR=$4
e2e_init "$1" "$2" "$3" "$(basename "$CASE_DIR")"

case_file() { [ -f "$CASE_DIR/$1" ] && echo "$CASE_DIR/$1"; }

if case_file folder.txt >/dev/null; then
  WORK_ROOT=$WORK
  WORK="$WORK/$(head -n 1 "$CASE_DIR/folder.txt")"
  mkdir -p "$WORK" && mv "$WORK_ROOT/vornakel.exe" "$WORK/" || e2e_abort "cannot make $WORK"
fi

# check_window <label> <expected lines>: each line must appear in the driver's `window` output.
check_window() {
  local line missing=0
  driver window >"$WORK/window.actual" || { e2e_fail "$1: driver window failed"; return; }
  while IFS= read -r line; do
    if ! grep -Fxq -- "$line" "$WORK/window.actual"; then
      e2e_fail "$1: expected the line '${line//$'\t'/ = }'"
      missing=1
    fi
  done < <(e2e_expand "$2")
  if [ "$missing" -eq 0 ]; then
    echo "ok: $1"
  else
    sed 's/^/  actual: /' "$WORK/window.actual" >&2
  fi
}

DATA_FIXTURE=$(case_file data.ini)
if case_file data.sh >/dev/null; then
  DATA_FIXTURE="$WORK/data.fixture.ini"
  (source "$CASE_DIR/data.sh") >"$DATA_FIXTURE" || e2e_abort "data.sh failed"
fi
if [ -n "$DATA_FIXTURE" ]; then
  e2e_write_ini "$DATA_FIXTURE" "$WORK/Data.ini"
  cp "$WORK/Data.ini" "$WORK/Data.ini.before"
fi

# The shortcut is named after the executable: vornakel.lnk. One left by an earlier run is set
# aside and put back afterwards, so the test starts without it and leaves the prefix as it was.
STARTUP_DIR="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/StartUp"
LINK="$STARTUP_DIR/vornakel.lnk"
if case_file autostart.txt >/dev/null; then
  [ -e "$LINK" ] && mv "$LINK" "$WORK/vornakel.lnk.saved"
  e2e_case_cleanup() {
    rm -f "$LINK"
    [ -e "$WORK/vornakel.lnk.saved" ] && mv "$WORK/vornakel.lnk.saved" "$LINK"
  }
fi

AUTOSTART=""
if case_file autostart.txt >/dev/null; then AUTOSTART=$(head -n 1 "$CASE_DIR/autostart.txt"); fi
if [ "$AUTOSTART" = 0 ]; then
  mkdir -p "$STARTUP_DIR"
  printf 'left by an earlier start' >"$LINK"
fi

if case_file sound.txt >/dev/null; then
  # 8 kHz, 8 bits, mono: 800 samples of silence.
  { printf 'RIFF\x44\x03\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x40\x1f\0\0\x40\x1f\0\0\x01\0\x08\0'
    printf 'data\x20\x03\0\0'; head -c 800 /dev/zero | tr '\0' '\200'; } >"$WORK/$(head -n 1 "$CASE_DIR/sound.txt")"
  mkdir -p "$WORK/home" && echo 'pcm.!default { type null }' >"$WORK/home/.asoundrc"
  E2E_PROGRAM_ENV=("HOME=$WORK/home" WINEDEBUG=trace+winmm)
fi

e2e_read_work_area
CLOCK=""
if case_file clock.txt >/dev/null; then CLOCK=$(head -n 1 "$CASE_DIR/clock.txt"); fi
e2e_start "$CLOCK"

# ---- a start-up that must stop at a message box ---------------------------------------------
if case_file error.txt >/dev/null; then
  boxes=""
  for _ in $(seq 100); do
    boxes=$(driver dialogs)
    [ -n "$boxes" ] && break
    sleep 0.1
  done
  e2e_screenshot "$NAME"
  data_ini_path="Z:${WORK//\//\\}\\Data.ini"
  expected_box=$(<"$CASE_DIR/error.txt")
  e2e_compare_text "message box" <(printf '%s\n' "${expected_box//\{DATA_INI\}/$data_ini_path}") \
    <(printf '%s\n' "$boxes")
  # The settings were applied before the bad value: the window stands behind the box.
  if case_file window.txt >/dev/null; then check_window "window behind the box" "$CASE_DIR/window.txt"; fi
  driver dialogs 1 >/dev/null || e2e_fail "cannot press OK"
  # Ending or going on with what was read are both allowed; writing the file is not.
  if ! e2e_wait_exit 3000; then
    if driver wait-window 0 >/dev/null 2>&1; then
      echo "the program went on after the message; closing it"
      e2e_close
    else
      e2e_fail "the program neither ended nor shows its main window after the message"
    fi
  else
    echo "the program ended after the message"
  fi
  e2e_compare_ini "Data.ini after the failed start" "$WORK/Data.ini.before" "$WORK/Data.ini"
  e2e_finish
fi

# ---- a normal start --------------------------------------------------------------------------
driver wait-window 20000 >/dev/null || e2e_abort "the main window did not appear"
expected_rows=0
if case_file rows.txt >/dev/null; then expected_rows=$(wc -l <"$CASE_DIR/rows.txt"); fi
if case_file settle.txt >/dev/null; then sleep "$(head -n 1 "$CASE_DIR/settle.txt")"; fi
driver wait-rows "$expected_rows" 10000 >/dev/null || e2e_fail "the list never had $expected_rows rows"

if case_file popups.txt >/dev/null; then
  driver popups | LC_ALL=C sort >"$WORK/popups.actual" || e2e_fail "driver popups failed"
  LC_ALL=C sort "$CASE_DIR/popups.txt" >"$WORK/popups.expected"
  e2e_compare_text "popups" "$WORK/popups.expected" "$WORK/popups.actual"
fi

if case_file columns.txt >/dev/null; then
  driver columns >"$WORK/columns.actual" || e2e_fail "driver columns failed"
  e2e_compare_text "columns" "$CASE_DIR/columns.txt" "$WORK/columns.actual"
fi

if case_file rows.txt >/dev/null; then
  driver rows >"$WORK/rows.actual" || e2e_fail "driver rows failed"
  e2e_compare_text "rows" "$CASE_DIR/rows.txt" "$WORK/rows.actual"
  cp "$WORK/rows.actual" "$ARTEFACTS/$NAME.rows.txt"
fi

if case_file window.txt >/dev/null; then check_window "window" "$CASE_DIR/window.txt"; fi

if [ "$AUTOSTART" = 1 ]; then
  if [ -f "$LINK" ]; then
    target=$(winepath -w "$WORK/vornakel.exe" 2>/dev/null)
    folder=$(winepath -w "$WORK" 2>/dev/null)
    lnkinfo "$LINK" >"$WORK/lnkinfo.txt" 2>&1
    if grep -Fq -- "$target" "$WORK/lnkinfo.txt"; then
      echo "ok: autostart shortcut points at $target"
    else
      e2e_fail "the autostart shortcut does not point at $target:"
      cat "$WORK/lnkinfo.txt" >&2
    fi
    workdir=$(sed -n 's/^[[:space:]]*Working directory[[:space:]]*:[[:space:]]*//p' "$WORK/lnkinfo.txt" | tr -d '\r')
    if [ "$workdir" = "$folder\\" ] || [ "$workdir" = "$folder" ]; then
      echo "ok: autostart shortcut works in $workdir"
    else
      e2e_fail "the autostart shortcut's working folder is '$workdir', not $folder\\:"
      cat "$WORK/lnkinfo.txt" >&2
    fi
  else
    e2e_fail "no autostart shortcut at $LINK"
  fi
elif [ "$AUTOSTART" = 0 ]; then
  if [ -e "$LINK" ]; then e2e_fail "the shortcut $LINK was not deleted"; else echo "ok: shortcut deleted"; fi
fi

# Let the list paint before the picture is taken.
sleep 0.5
e2e_screenshot "$NAME"

if case_file restore.txt >/dev/null; then
  driver post 0x0112 0xF120 0 || e2e_fail "cannot post SC_RESTORE"  # WM_SYSCOMMAND
  for _ in $(seq 30); do
    driver window | grep -Fxq $'maximized\t0' && break
    sleep 0.1
  done
  check_window "window after SC_RESTORE" "$CASE_DIR/restore.txt"
  sleep 0.3
  e2e_screenshot "$NAME-restored"
fi

E2E_EXITED=0
if case_file steps.sh >/dev/null; then
  # shellcheck source=/dev/null
  source "$CASE_DIR/steps.sh"
fi

if [ "$E2E_EXITED" -eq 0 ]; then e2e_close; fi
if case_file saved.edits >/dev/null; then
  sed '/^PrevMS=/a SndF=\nRpt=0\nWake=0' "$DATA_FIXTURE" | sed -f "$CASE_DIR/saved.edits" \
    >"$WORK/saved.fixture.ini"
  e2e_write_ini "$WORK/saved.fixture.ini" "$WORK/Data.ini.expected"
elif case_file saved.ini >/dev/null; then
  e2e_write_ini "$CASE_DIR/saved.ini" "$WORK/Data.ini.expected"
fi
if [ -f "$WORK/Data.ini.expected" ]; then
  if case_file saved.sed >/dev/null; then
    grep -q 'Seen=' "$CASE_DIR/saved.sed" && E2E_KEEP_SEEN=1
    for f in "$WORK/Data.ini.expected" "$WORK/Data.ini"; do
      LC_ALL=C sed -i -f "$CASE_DIR/saved.sed" "$f"
    done
  fi
  e2e_compare_ini "Data.ini written at exit" "$WORK/Data.ini.expected" "$WORK/Data.ini"
fi
e2e_finish
