#!/usr/bin/env bash
# Makes Sundown's Wine prefix ready before the first test, and sets no crash debugger, so a
# crashing test exits with an error instead of waiting on a debugger dialog or passing quietly.
set -eu
here="$(dirname "$0")"
export WINEPREFIX="${WINEPREFIX:-$HOME/.wine-sundown}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ -x /usr/lib/wine/wineboot ]; then
  /usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1 || true
else
  wineboot --init >/dev/null 2>&1 || true
fi
"$here/wine-run.sh" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
  /v Debugger /t REG_SZ /d '' /f >/dev/null 2>&1
"$here/wine-run.sh" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
  /v Auto /t REG_SZ /d 1 /f >/dev/null 2>&1
echo "wine prefix ready: $WINEPREFIX"
