#!/usr/bin/env bash
# Screenshots of the main window with a popup, the settings dialog and the task editor at
# DPI dots per inch, saved as OUTDIR/NAME-DPI.png. Run by hand with the built
# vornakel_dpi_screens.exe.
# Usage: dpi_screens.sh DPI OUTDIR PATH/TO/vornakel_dpi_screens.exe
set -u
dpi=$1
out=$(realpath -m "$2")
exe=$3
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/../../scripts/wine-env.sh"
vornakel_ensure_display || exit 1
mkdir -p "$out"
rm -f "$out"/*.request
"$here/../../tests/win32/run_at_dpi.sh" "$dpi" "$exe" "Z:${out//\//\\}" &
program=$!
while kill -0 "$program" 2>/dev/null; do
  for request in "$out"/*.request; do
    [ -e "$request" ] || continue
    name=$(basename "$request" .request)
    import -display "$DISPLAY" -window root "$out/$name-$dpi.png"
    rm -f "$request"
  done
  sleep 0.2
done
wait "$program"
