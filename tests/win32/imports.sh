#!/usr/bin/env bash
# The DLLs vornakel.exe imports at load time must all be known system DLLs (or comctl32, which
# the manifest binds): any other DLL would first be looked for in the program's own folder,
# where a planted copy would run at every start.
#
# usage: imports.sh <objdump> <vornakel.exe>
set -u
allowed=" kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll ole32.dll oleaut32.dll
  comdlg32.dll shlwapi.dll comctl32.dll msvcrt.dll "
imports=$("$1" -p "$2" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z' | tr -d '\r')
[ -n "$imports" ] || { echo "FAIL: no import table read from $2"; exit 1; }
status=0
for dll in $imports; do
  case "$allowed" in
    *" $dll "*) echo "ok: $dll" ;;
    *) echo "FAIL: $dll is not a known system DLL"; status=1 ;;
  esac
done
exit $status
