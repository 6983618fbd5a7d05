#!/usr/bin/env bash
# Makes a Wine prefix ready for a test run: Wine's first start in it with no crash debugger, so a
# crashing test exits with an error instead of waiting on a debugger dialog or passing quietly;
# then Wine's server, started for the run.
# Usage: wine-warmup.sh PREFIX WINE_RUN
set -eu
prefix="$1"
run="$2"
export WINEPREFIX="$prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
server=wineserver
if ! command -v wineserver >/dev/null && [ -x /usr/lib/wine/wineserver64 ]; then
  server=/usr/lib/wine/wineserver64
fi
if [ ! -e "$prefix/.sundown-ready" ]; then
  if [ -x /usr/lib/wine/wineboot ]; then
    /usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1 || true
  else
    wineboot --init >/dev/null 2>&1 || true
  fi
  "$run" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
    /v Debugger /t REG_SZ /d '' /f >/dev/null 2>&1
  "$run" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
    /v Auto /t REG_SZ /d 1 /f >/dev/null 2>&1
  "$server" --wait </dev/null >/dev/null 2>&1 || true
  touch "$prefix/.sundown-ready"
  echo "wine prefix ready: $prefix"
fi
# The server ends a few seconds after its last program, and a program that starts while it ends
# can fail at once: kept for half a minute after its last program, it serves the whole run.
# Wine's own services start with the first program and live as long as the server; started
# here, they hold no test's output open.
"$server" -p30 </dev/null >/dev/null 2>&1 || true
"$run" reg query 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
  </dev/null >/dev/null 2>&1 || true
