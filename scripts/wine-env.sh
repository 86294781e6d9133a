# Sourced by the scripts that run Windows programs: a private Wine prefix under build/, a
# private Xvfb display, and helpers that make both ready. Safe to call from parallel tests.

VORNAKEL_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# ctest gives each Windows test one of the shards in tests/wine-shards.json, so that tests run
# side by side without seeing each other's windows: shard N has the prefix build/wineprefix-N
# and the display :86+N (:B+N with VORNAKEL_SHARD_DISPLAY_BASE=B, for a second checkout's run:
# two prefixes' desktops on one display would take each other's clicks).
if [[ ${CTEST_RESOURCE_GROUP_0_WINE:-} =~ id:([0-9]+) ]]; then
  VORNAKEL_WINEPREFIX="$VORNAKEL_ROOT/build/wineprefix-${BASH_REMATCH[1]}"
  VORNAKEL_DISPLAY=":$((${VORNAKEL_SHARD_DISPLAY_BASE:-86} + BASH_REMATCH[1]))"
fi
export WINEPREFIX="${VORNAKEL_WINEPREFIX:-$VORNAKEL_ROOT/build/wineprefix}"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
VORNAKEL_DISPLAY="${VORNAKEL_DISPLAY:-:87}"

# Starts the private Xvfb unless it already answers; exports DISPLAY.
vornakel_ensure_display() {
  export DISPLAY="$VORNAKEL_DISPLAY"
  if xdpyinfo >/dev/null 2>&1; then return 0; fi
  (
    flock 9
    if ! xdpyinfo >/dev/null 2>&1; then
      # -noreset: the server stays up when the last client leaves. 9>&-: the server must not
      # inherit the lock, or it would hold it for ever.
      setsid Xvfb "$VORNAKEL_DISPLAY" -screen 0 1024x768x24 -nolisten tcp -noreset \
        >/dev/null 2>&1 < /dev/null 9>&- &
      for _ in $(seq 100); do
        xdpyinfo >/dev/null 2>&1 && break
        sleep 0.1
      done
    fi
  ) 9>"/tmp/vornakel-xvfb${VORNAKEL_DISPLAY#:}.lock"
  xdpyinfo >/dev/null 2>&1 || { echo "wine-env: Xvfb $VORNAKEL_DISPLAY did not start" >&2; return 1; }
}

# Creates the prefix once (virtual desktop as the default desktop, so windows have frames and
# there is a taskbar and tray) and keeps its wineserver alive for the whole run.
vornakel_ensure_prefix() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.vornakel-ready" ]; then
      rm -rf "$WINEPREFIX"
      wineboot -i >/dev/null 2>&1 9>&- || true
      wineserver -w
      wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1 9>&-
      wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1 9>&-
      wine reg add 'HKLM\Software\Classes\.txt' /ve /d txtfile /f >/dev/null 2>&1 9>&-
      wineserver -w
      touch "$WINEPREFIX/.vornakel-ready"
    fi
  ) 9>"$WINEPREFIX.lock"
  wineserver -p >/dev/null 2>&1 9>&- || true
  # Starts the prefix's services now, detached from any caller's output (see below).
  wine cmd /c exit >/dev/null 2>&1 </dev/null 9>&- || true
}

# Runs wine with its output going to files first, then copies it out. Wine may start lasting
# helper processes (services, the desktop) that inherit its standard output; if that were a
# pipe, whoever reads it (ctest, a command substitution) would wait for them for ever.
vornakel_wine_captured() {
  local out err status
  out=$(mktemp /tmp/vornakel-wine-out.XXXXXX)
  err=$(mktemp /tmp/vornakel-wine-err.XXXXXX)
  wine "$@" >"$out" 2>"$err" </dev/null 9>&-
  status=$?
  cat "$out"
  cat "$err" >&2
  rm -f "$out" "$err"
  return "$status"
}
