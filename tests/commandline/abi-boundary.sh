#!/usr/bin/env bash
# The C++ ABI of the boundary is real: the stand-in host of one build (MinGW's GCC ABI, or the
# Visual C++ ABI) given the other build's Sundown.dll reports the failure plainly, never a pass,
# and so does the other build's host given this one's plug-in.
# Usage: abi-boundary.sh THIS_BUILD OTHER_BUILD SCENARIO   (build folders with bin/ and wine-run.sh)
# Exit 77 (skipped) when OTHER_BUILD has not been built.
set -uo pipefail
this="$1" other="$2" scenario="$3"
# shellcheck source=expect.sh
source "$(dirname "$0")/expect.sh"
for build in "$this" "$other"; do
  if [ ! -x "$build/wine-run.sh" ] || [ ! -f "$build/bin/sundown-sim.exe" ] ||
    [ ! -f "$build/bin/Sundown.dll" ]; then
    echo "skipped: no Windows build in '$build' to cross with (build its preset first)"
    exit 77
  fi
done

windowsPath() { echo "Z:$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"; }

cross() {  # cross HOST_BUILD PLUGIN_BUILD: the host of one build with the plug-in of the other
  local host="$1" plugin
  plugin="$(windowsPath "$2/bin/Sundown.dll")"
  expect "$(basename "$host")'s sundown-sim with $(basename "$2")'s Sundown.dll: told, status 2" 2 \
    "sundown-sim: crashed with a call to a function no DLL provides while loading the plug-in" \
    "$host/wine-run.sh" "$host/bin/sundown-sim.exe" --plugin "$plugin" "$(windowsPath "$scenario")"
  expect "$(basename "$host")'s sundown-validate with $(basename "$2")'s Sundown.dll: nothing passes" 1 \
    "0 passed, 1 failed, 5 skipped" \
    "$host/wine-run.sh" "$host/bin/sundown-validate.exe" --plugin "$plugin" --iterations 30
}

cross "$this" "$other"
cross "$other" "$this"
# Each build with its own plug-in plays: the failures above are the ABI's, not the builds'.
for build in "$this" "$other"; do
  expect "$(basename "$build")'s host with its own Sundown.dll plays the scenario" 0 "passed" \
    "$build/wine-run.sh" "$build/bin/sundown-sim.exe" --plugin "$(windowsPath "$build/bin/Sundown.dll")" \
    "$(windowsPath "$scenario")"
done

if [ "$failures" = 0 ]; then
  echo "all held"
fi
exit $((failures > 0))
