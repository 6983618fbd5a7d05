#!/usr/bin/env bash
# A plain configure, as a maintainer types it, against Debian's Dear ImGui: it stops at configure
# time, naming the Dear ImGui found, the index it has, and what fixes it; with that fix it goes on.
# Usage: configure.sh SOURCE_DIR
set -uo pipefail
source_dir="$1"
# shellcheck source=expect.sh
source "$(dirname "$0")/expect.sh"
scratch="$(mktemp -d "${TMPDIR:-/tmp}/configure.XXXXXXXX")"
trap 'rm -rf -- "$scratch"' EXIT

# CMake folds a message's lines: the facts are looked for where they fall.
expect "a plain configure names the Dear ImGui found" 1 \
  "The Dear ImGui found (version 1.86, /usr/include/imgui) has ImGuiCol_Button" \
  timeout 300 cmake -S "$source_dir" -B "$scratch/plain" -G Ninja
expect "... and the index it has, and the one expected" 1 "at 21, and this build expects 22" \
  timeout 300 cmake -S "$source_dir" -B "$scratch/plain" -G Ninja
expect "... and tells what fixes it" 1 "-DSUNDOWN_IMGUI_BUTTON_INDEX=21" \
  timeout 300 cmake -S "$source_dir" -B "$scratch/plain" -G Ninja
expect "with that fix the configure goes on" 0 "Generating done" \
  timeout 300 cmake -S "$source_dir" -B "$scratch/fixed" -G Ninja -DSUNDOWN_IMGUI_BUTTON_INDEX=21 \
  -DSUNDOWN_IMGUI_VERSION=1.86 -DSUNDOWN_BUILD_TESTS=OFF

if [ "$failures" -gt 0 ]; then
  echo "$failures failed"
  exit 1
fi
echo "all passed"
