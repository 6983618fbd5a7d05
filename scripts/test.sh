#!/usr/bin/env bash
# Builds Sundown and runs every test: the plain, sanitizer and optimised builds (the last also
# builds the benchmarks), the Windows DLL under Wine, then a short run of each fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh windows
for preset in ci ci-asan release; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
# Sundown.dll: cross-built for 64-bit Windows and tested under Wine.
cmake --preset mingw >/dev/null
cmake --build --preset mingw
ctest --preset mingw -j2
bash scripts/fuzz.sh 20
