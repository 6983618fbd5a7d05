#!/usr/bin/env bash
# Proves that two builds behave alike: plays every scenario with sundown-sim --events, eight
# random sessions of sundown-sim (scripts/random-session.py, a quarter of EVENTS_PER_SEQUENCE lines
# each, every rule beyond the text off unless
# TRACE_DIFF_OPT_IN names some, as that script's --opt-in does), and the validator's random player
# with --events (eight sequences, 2,500 events unless told), on both builds, and compares what
# each did event by event. The random player's sequences are the same only while its generator
# is: across a change of it, only the scenarios and the random sessions prove anything. Prints the
# first difference of each thing played that differs, and exits 1 on any; 0 when every trace is
# the same. Example, the tree against the build of an earlier commit:
#   scripts/trace-diff.sh /tmp/old/build/release/bin/sundown-sim build/release/bin/sundown-sim
# The plug-in and sundown-validate are taken from beside each sundown-sim.
set -euo pipefail

if (($# < 2 || $# > 4)); then
  echo "usage: $0 OLD_SIM NEW_SIM [SEED] [EVENTS_PER_SEQUENCE]" >&2
  exit 2
fi
old="$1"
new="$2"
seed="${3:-1}"
events="${4:-2500}"
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
sequences=8

for program in "$old" "$new" "$(dirname "$old")/sundown-validate" \
  "$(dirname "$new")/sundown-validate"; do
  if [[ ! -f "$program" || ! -x "$program" ]]; then
    echo "$0: '$program' is no program" >&2
    exit 2
  fi
done
# Absolute, since each scenario is played from a folder of its own.
old="$(cd "$(dirname "$old")" && pwd)/$(basename "$old")"
new="$(cd "$(dirname "$new")" && pwd)/$(basename "$new")"
if [[ ! "$seed" =~ ^[0-9]{1,15}$ ]]; then
  echo "$0: SEED must be a whole number" >&2
  exit 2
fi
if [[ ! "$events" =~ ^[0-9]+$ ]] || ((events < 1 || events > 1000000)); then
  echo "$0: EVENTS_PER_SEQUENCE must be 1 to 1000000" >&2
  exit 2
fi

opt_in="${TRACE_DIFF_OPT_IN:-}"
if [[ ! "$opt_in" =~ ^[a-z,-]*$ ]]; then
  echo "$0: TRACE_DIFF_OPT_IN is a list of rules, as random-session.py --opt-in takes" >&2
  exit 2
fi
if ! command -v python3 >/dev/null 2>&1; then
  echo "$0: python3 is needed to write the random sessions" >&2
  exit 2
fi

work="$(mktemp -d "${TMPDIR:-/tmp}/trace-diff.XXXXXXXX")"
trap 'rm -rf -- "$work"' EXIT
differences=0

# The trace without the lines that name where a build lies on disk.
without_paths() {
  grep -v -e 'plug-in file: ' -e '^plug-in: ' -e 'this sequence alone: ' -- "$1" || true
}

# Stops the comparison when a build could not play at all: two builds failing alike prove
# nothing.
refuse_unplayed() {
  local status="$1" what="$2"
  if ((status == 124 || status >= 125 && status <= 127 || status > 128)); then
    echo "$0: $what could not be played to its end (status $status)" >&2
    exit 2
  fi
}

# first_difference LABEL OLD_FILE NEW_FILE: says where the two first differ; false when they do.
first_difference() {
  local label="$1" a="$2" b="$3"
  if cmp -s -- "$a" "$b"; then
    return 0
  fi
  local line
  line="$(diff -- "$a" "$b" | sed -n '1s/^\([0-9]*\).*/\1/p')"
  line="${line:-1}"
  echo "DIFFERS: $label, first at line $line"
  echo "  old: $(sed -n "${line}p" -- "$a" | head -c 400)"
  echo "  new: $(sed -n "${line}p" -- "$b" | head -c 400)"
  differences=$((differences + 1))
  return 1
}

# play_scenario BUILD SIM SCRIPT: the timeline, the event log and the exit status. Both builds
# play a copy in the same folder, so that the texts that name it, and the pictures, match.
play_scenario() {
  local build="$1" sim="$2" script="$3"
  local stage="$work/stage"
  local kept="$work/$build/$(basename "$(dirname "$script")")-$(basename "$script")"
  rm -rf -- "$stage"
  mkdir -p -- "$stage" "$kept"
  cp -- "$script" "$stage/script.sundown"
  local status=0
  (cd -- "$stage" && timeout 120 "$sim" --events events.raw script.sundown >out.raw 2>&1) ||
    status=$?
  refuse_unplayed "$status" "$script with $sim"
  echo "exit status $status" >"$kept/status"
  without_paths "$stage/out.raw" >"$kept/timeline"
  touch -- "$stage/events.raw"
  without_paths "$stage/events.raw" >"$kept/events"
  find "$stage" -maxdepth 1 -name '*.png' -exec mv -t "$kept" -- {} +
  echo "$kept"
}

scenarios=0
while IFS= read -r -d '' script; do
  a="$(play_scenario old "$old" "$script")"
  b="$(play_scenario new "$new" "$script")"
  name="${script#"$source_dir"/}"
  for part in status timeline events; do
    first_difference "$name ($part)" "$a/$part" "$b/$part" || break
  done
  for picture in "$a"/*.png; do
    [[ -e "$picture" ]] || continue
    first_difference "$name (picture $(basename "$picture"))" "$picture" \
      "$b/$(basename "$picture")" || true
  done
  scenarios=$((scenarios + 1))
done < <(find "$source_dir/scenarios" -name '*.sundown' -type f -print0 | sort -z)

# Random sessions: the same scripts for both builds, in the language every build plays alike, as
# long as a quarter of a random-player sequence (625 lines at the default).
session_lines=$((events / 4 < 20 ? 20 : events / 4 > 2000 ? 2000 : events / 4))
mkdir -p -- "$work/sessions"
sessions=0
for ((part = 0; part < sequences; ++part)); do
  session="$work/sessions/random-session-$part.sundown"
  timeout 60 python3 "$source_dir/scripts/random-session.py" "$((seed * sequences + part))" \
    "$session_lines" \
    ${opt_in:+--opt-in "$opt_in"} >"$session"
  a="$(play_scenario old "$old" "$session")"
  b="$(play_scenario new "$new" "$session")"
  for part_played in status timeline events; do
    first_difference "random session $((seed * sequences + part)) ($part_played)" \
      "$a/$part_played" "$b/$part_played" || break
  done
  sessions=$((sessions + 1))
done

# play_sequence BUILD SIM PART: the random player's events and its exit status.
play_sequence() {
  local build="$1" sim="$2" part="$3"
  local place="$work/$build/random-player-$part"
  mkdir -p -- "$place"
  local status=0
  timeout 600 "$(cd "$(dirname "$sim")" && pwd)/sundown-validate" --check random-player \
    --seed "$seed" --iterations "$events" --part "$part" --events "$place/events" \
    >"$place/out" 2>&1 || status=$?
  refuse_unplayed "$status" "random-player sequence $part with $sim"
  echo "exit status $status" >"$place/status"
  touch -- "$place/events"
  if ((status == 0 && $(grep -c '^{"event":' -- "$place/events") < events)); then
    echo "$0: sequence $part of the random player with $sim played fewer than $events events:" >&2
    head -c 2000 -- "$place/out" >&2
    exit 2
  fi
  echo "$place"
}

for ((part = 0; part < sequences; ++part)); do
  a="$(play_sequence old "$old" "$part")"
  b="$(play_sequence new "$new" "$part")"
  for what in status events; do
    first_difference "random player, seed $seed, sequence $part ($what)" "$a/$what" \
      "$b/$what" || break
  done
done

played=$((sequences * events))
if ((differences > 0)); then
  echo "$differences difference(s): $scenarios scenarios, $sessions random sessions and" \
    "$played random-player events played"
  exit 1
fi
echo "identical: $scenarios scenarios, $sessions random sessions (opt-in: ${opt_in:-none}) and" \
  "$played random-player events (seed $seed)"
