#!/usr/bin/env bash
# Compares one benchmark of two sundown-bench builds, run by turns so that a busy neighbour or a
# change of clock speed weighs on both alike: prints each pair's times and the ratio new/old, then
# the median ratio. Example, the page against the build of an earlier commit:
#   scripts/bench-by-turns.sh /tmp/old/build/release/bin/sundown-bench \
#       build/release/bin/sundown-bench BM_DrawSettings 20
set -euo pipefail

if (($# < 2 || $# > 4)); then
  echo "usage: $0 OLD_BENCH NEW_BENCH [BENCHMARK] [PAIRS]" >&2
  exit 2
fi
old="$1"
new="$2"
benchmark="${3:-BM_DrawSettings}"
pairs="${4:-20}"
for program in "$old" "$new"; do
  if [[ ! -f "$program" || ! -x "$program" ]]; then
    echo "$0: '$program' is no program" >&2
    exit 2
  fi
done
if [[ ! "$benchmark" =~ ^[A-Za-z0-9_/:]+$ ]]; then
  echo "$0: '$benchmark' is no benchmark name" >&2
  exit 2
fi
if [[ ! "$pairs" =~ ^[0-9]+$ ]] || ((pairs < 1 || pairs > 1000)); then
  echo "$0: PAIRS must be 1 to 1000" >&2
  exit 2
fi

# The median of five runs of the benchmark, in nanoseconds.
median_time() {
  "$1" --benchmark_filter="^${benchmark}\$" --benchmark_repetitions=5 \
    --benchmark_min_time=0.2 --benchmark_format=csv 2>/dev/null |
    awk -F, -v name="\"${benchmark}_median\"" '
      $1 == name && $3 + 0 > 0 {
        scale = $5 == "us" ? 1e3 : $5 == "ms" ? 1e6 : $5 == "s" ? 1e9 : 1
        printf "%.1f\n", $3 * scale
        found = 1
      }
      END { exit !found }' || {
    echo "$0: '$1' ran no benchmark '$benchmark', or told no time for it" >&2
    return 1
  }
}

ratios=()
for ((pair = 1; pair <= pairs; ++pair)); do
  # Each build goes first in every other pair.
  if ((pair % 2)); then
    old_time=$(median_time "$old")
    new_time=$(median_time "$new")
  else
    new_time=$(median_time "$new")
    old_time=$(median_time "$old")
  fi
  ratio=$(awk -v a="$old_time" -v b="$new_time" 'BEGIN { printf "%.4f", b / a }')
  echo "pair $pair: old ${old_time} ns, new ${new_time} ns, new/old $ratio"
  ratios+=("$ratio")
done
printf '%s\n' "${ratios[@]}" | sort -n | awk '
  { value[NR] = $1 }
  END {
    median = NR % 2 ? value[(NR + 1) / 2] : (value[NR / 2] + value[NR / 2 + 1]) / 2
    printf "median new/old %.4f (lowest %.4f, highest %.4f, %d pair%s)\n", median, value[1],
           value[NR], NR, NR == 1 ? "" : "s"
  }'
