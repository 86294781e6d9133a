#!/usr/bin/env bash
# The setup and the uninstaller with the real program: a silent setup installs for the user
# (program, uninstaller, Start menu shortcut, "Programs and Features" entry); the shortcut's
# program starts and keeps a task handed to it beside itself; a second silent setup, with that
# copy running, ends it (it saves) and keeps the task; the silent uninstall removes the program,
# both shortcuts and the entry, and keeps Data.ini. With all-users: the same for every user
# (/ALLUSERS: Program Files, the common Start menu, the machine's entry), and the second setup,
# given no /ALLUSERS, updates that installation where it is.
#
# usage: setup.sh <vornakel.exe> <driver.exe> <artefacts-dir> [all-users]
set -uo pipefail
source "$(dirname "$0")/lib.sh"

ALL_USERS=${4:-}
e2e_init "$1" "$2" "$3" "setup${ALL_USERS:+-all-users}"
ROOT="$E2E_DIR/../.."
bash "$ROOT/scripts/package" "$VORNAKEL_EXE" "$WORK/packages" >"$WORK/package.log" 2>&1 ||
  { cat "$WORK/package.log" >&2; e2e_abort "the packages were not made"; }
SETUP=$(echo "$WORK"/packages/vornakel-*-setup.exe)

PROFILE="$WINEPREFIX/drive_c/users/$(id -un)"
USER_START_MENU="$PROFILE/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
if [ -n "$ALL_USERS" ]; then
  INSTALLED="$WINEPREFIX/drive_c/Program Files/Vornakel" dir='C:\Program Files\Vornakel'
  START_MENU="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
  KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vornakel'
else
  INSTALLED="$PROFILE/AppData/Local/Programs/Vornakel" dir='C:\users\'"$(id -un)"'\AppData\Local\Programs\Vornakel'
  START_MENU=$USER_START_MENU
  KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vornakel'
fi

# Both ways, so that one left behind by an earlier run cannot steer this one's setup.
forget_installation() {
  rm -rf "$PROFILE/AppData/Local/Programs/Vornakel" "$WINEPREFIX/drive_c/Program Files/Vornakel" \
    "$USER_START_MENU"/{Vornakel.lnk,StartUp/vornakel.lnk} \
    "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Vornakel.lnk"
  for hive in HKCU HKLM; do wine reg delete "$hive${KEY#HK??}" /f >/dev/null 2>&1; done
}
e2e_case_cleanup() { forget_installation; }
forget_installation

silent_setup() {  # <label> [option]
  timeout -k 5 60 wine "$SETUP" /S ${2:-} >>"$WORK/setup.log" 2>&1 && echo "ok: $1 ended with 0" || e2e_fail "$1 failed"
}
# has_task <label>: Data.ini beside the installed program holds the command line's task.
has_task() {
  [ -f "$INSTALLED/Data.ini" ] && e2e_readable_ini "$INSTALLED/Data.ini" | grep -qx 'Tex=Проверка' &&
    echo "ok: $1: the task is in Data.ini" || e2e_fail "$1: the task is not in $INSTALLED/Data.ini"
}

entry_value() {  # <name>: the value of the uninstall entry, or nothing
  wine reg query "$KEY" /v "$1" 2>/dev/null | tr -d '\r' | awk -v name="$1" '$1 == name { $1 = ""; $2 = ""; sub(/^ +/, ""); print }'
}

silent_setup "the silent setup" ${ALL_USERS:+/ALLUSERS}
cmp -s "$VORNAKEL_EXE" "$INSTALLED/vornakel.exe" && echo "ok: vornakel.exe is the program built" ||
  e2e_fail "vornakel.exe is not the program built"
[ -f "$INSTALLED/uninstall.exe" ] && echo "ok: uninstall.exe installed" || e2e_fail "no uninstall.exe"
target=$(lnkinfo "$START_MENU/Vornakel.lnk" 2>/dev/null | sed -n 's/^\s*Local path\s*:\s*//p' | tr -d '\r')
[ "$target" = "$dir\vornakel.exe" ] &&
  echo "ok: the Start menu shortcut starts the installed program" ||
  e2e_fail "the Start menu shortcut points at '$target'"
declare -A expected=([DisplayName]=Vornakel [DisplayIcon]="$dir\\vornakel.exe,0" [Publisher]=Vornakel
  [UninstallString]="\"$dir\\uninstall.exe\"" [QuietUninstallString]="\"$dir\\uninstall.exe\" /S")
for name in "${!expected[@]}"; do
  value=$(entry_value "$name")
  [ "$value" = "${expected[$name]}" ] && echo "ok: $name" || e2e_fail "$name is '$value', not '${expected[$name]}'"
done
version=$(entry_value DisplayVersion)
[[ "$SETUP" == */vornakel-"$version"-setup.exe ]] && echo "ok: DisplayVersion $version" ||
  e2e_fail "DisplayVersion '$version' is not the setup's"
size=$(($(entry_value EstimatedSize)))
exe_kb=$(($(stat -c %s "$VORNAKEL_EXE") / 1024))
((size >= exe_kb)) && echo "ok: EstimatedSize $size KB" || e2e_fail "EstimatedSize $size KB, the program alone is $exe_kb KB"

e2e_start_in "$INSTALLED" "$WORK/wine.log"
driver wait-window 20000 >/dev/null || e2e_abort "the installed program's window did not appear"
(cd "$INSTALLED" && LC_ALL=C.UTF-8 timeout -k 5 30 wine ./vornakel.exe /in 5m Проверка) >>"$WORK/second.log" 2>&1 ||
  e2e_fail "/in 5m was not taken"
driver wait-rows 1 10000 >/dev/null || e2e_fail "the task did not appear"
e2e_screenshot setup-installed

# A second setup over the running copy: it is asked to end (and saves) before the files are copied.
silent_setup "the setup over the running copy"
e2e_wait_exit 10000 && echo "ok: the running copy ended" || e2e_fail "the running copy was not ended"
has_task "after the second setup"

# The autostart shortcut, as the program makes it (Wine names the folder StartUp).
cp "$START_MENU/Vornakel.lnk" "$USER_START_MENU/StartUp/vornakel.lnk" || e2e_fail "no autostart shortcut made"
wine "$INSTALLED/uninstall.exe" /S >>"$WORK/setup.log" 2>&1
# The uninstaller goes on in a copy of itself; it is done once its own file is gone.
for _ in $(seq 300); do [ -e "$INSTALLED/uninstall.exe" ] || break; sleep 0.1; done
for path in "$INSTALLED"/{vornakel,uninstall}.exe "$START_MENU/Vornakel.lnk" \
  "$USER_START_MENU/StartUp/vornakel.lnk"; do
  [ -e "$path" ] && e2e_fail "$path is still there" || echo "ok: ${path##*/Programs/} removed"
done
wine reg query "$KEY" >/dev/null 2>&1 && e2e_fail "the uninstall entry is still there" ||
  echo "ok: the uninstall entry removed"
has_task "after the silent uninstall"
e2e_finish
