#!/usr/bin/env bash
# Runs a Windows program under 64-bit Wine, in Sundown's own Wine prefix, without Wine's chatter.
export WINEPREFIX="${WINEPREFIX:-$HOME/.wine-sundown}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
if [ -x /usr/lib/wine/wine64 ]; then
  exec /usr/lib/wine/wine64 "$@"
fi
exec wine64 "$@"
