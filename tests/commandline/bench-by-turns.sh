#!/usr/bin/env bash
# scripts/bench-by-turns.sh as a maintainer runs it: it refuses what it cannot compare, and its
# report of a pair and of the median is read from the benchmark library's own output.
# Usage: bench-by-turns.sh BENCH SOURCE_DIR
set -uo pipefail
bench="$1" source="$2"
byTurns="$source/scripts/bench-by-turns.sh"
# shellcheck source=expect.sh
source "$(dirname "$0")/expect.sh"

expect "one program is not enough" 2 "usage: " bash "$byTurns" "$bench"
expect "a missing program is refused" 2 "'/nonexistent/bench' is no program" \
  bash "$byTurns" /nonexistent/bench "$bench"
expect "a folder is no program" 2 "'$source' is no program" bash "$byTurns" "$source" "$bench"
expect "a benchmark name is never a shell's word" 2 "'x;touch y' is no benchmark name" \
  bash "$byTurns" "$bench" "$bench" 'x;touch y'
expect "no pairs is no comparison" 2 "PAIRS must be 1 to 1000" \
  bash "$byTurns" "$bench" "$bench" BM_RenderOverlay/disabled 0
expect "a benchmark the program lacks is told" 1 "ran no benchmark 'BM_NoSuchThing'" \
  bash "$byTurns" "$bench" "$bench" BM_NoSuchThing 1
number='[0-9]+\.[0-9]+'
expectMatch "a pair's times are read from the benchmark" 0 \
  "^pair 1: old $number ns, new $number ns, new/old $number$" \
  bash "$byTurns" "$bench" "$bench" BM_RenderOverlay/disabled 1
expectMatch "the median of the pairs is told" 0 \
  "^median new/old $number \(lowest $number, highest $number, 2 pairs\)$" \
  bash "$byTurns" "$bench" "$bench" BM_RenderOverlay/disabled 2

if [ "$failures" -gt 0 ]; then
  echo "$failures failed"
  exit 1
fi
echo "all passed"
