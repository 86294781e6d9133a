#!/usr/bin/env bash
# Runs a Windows program in a process started at DPI dots per inch: Wine takes the density from
# the prefix's LogPixels when a process starts, so it is set just before and put back to 96
# afterwards, whatever happens (the prefix and its desktop are shared with every other test,
# which is why the test holds the wine_desktop lock).
# Usage: run_at_dpi.sh DPI PROGRAM.exe [ARGUMENTS...]
set -u
dpi=$1
shift
source "$(dirname "$0")/../../scripts/wine-env.sh"
vornakel_ensure_display || exit 1
vornakel_ensure_prefix

set_log_pixels() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
    >/dev/null 2>&1 </dev/null 9>&-
}

trap 'set_log_pixels 96' EXIT
trap 'exit 130' INT TERM HUP
set_log_pixels "$dpi" || { echo "run_at_dpi: cannot set LogPixels" >&2; exit 1; }
VORNAKEL_TEST_DPI=$dpi vornakel_wine_captured "$@"
