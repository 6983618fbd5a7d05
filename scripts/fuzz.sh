#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a fixed time (default 20 s).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-20}"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
corpus="$(mktemp -d)"
trap 'rm -rf "$corpus"' EXIT
mkdir -p "$corpus/script" "$corpus/values"
cp scenarios/*.sundown "$corpus/script/"
printf '%s' 300 > "$corpus/values/limit"
printf '%s' "Lose Count" > "$corpus/values/label"
printf '%s' "1,1,3,1,2" > "$corpus/values/session"
printf '%s' "2026-12-08,4,1830" > "$corpus/values/day"
build/fuzz/bin/fuzz-script -max_total_time="$seconds" -max_len=4096 "$corpus/script" 2>&1 | tail -1
build/fuzz/bin/fuzz-console-values -max_total_time="$seconds" "$corpus/values" 2>&1 | tail -1
