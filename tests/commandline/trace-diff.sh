#!/usr/bin/env bash
# scripts/trace-diff.sh as a maintainer runs it between two builds: it refuses what it cannot
# play, finds a build that behaves otherwise, and finds nothing between a build and itself.
# Usage: trace-diff.sh SIM SOURCE_DIR
set -uo pipefail
sim="$1" source="$2"
traceDiff="$source/scripts/trace-diff.sh"
# shellcheck source=expect.sh
source "$(dirname "$0")/expect.sh"
bin="$(cd "$(dirname "$sim")" && pwd)"
other="$(mktemp -d "${TMPDIR:-/tmp}/trace-diff-test.XXXXXXXX")"
trap 'rm -rf -- "$other"' EXIT

# Builds that behave otherwise: the host's frames at another rate, the player on other seeds.
mkdir -p "$other/frames" "$other/seeds" "$other/broken"
printf '#!/usr/bin/env bash\nexec "%s/sundown-sim" --fps 30 "$@"\n' "$bin" >"$other/frames/sundown-sim"
ln -s "$bin/sundown-validate" "$other/frames/sundown-validate"
ln -s "$bin/sundown-sim" "$other/seeds/sundown-sim"
cat >"$other/seeds/sundown-validate" <<SCRIPT
#!/usr/bin/env bash
arguments=()
while ((\$#)); do
  if [ "\$1" = --seed ]; then arguments+=(--seed "\$((\$2 + 1))"); shift 2; else arguments+=("\$1"); shift; fi
done
exec "$bin/sundown-validate" "\${arguments[@]}"
SCRIPT
# A build that cannot play at all.
printf '#!/bin/sh\nexit 127\n' >"$other/broken/sundown-sim"
ln -s "$bin/sundown-validate" "$other/broken/sundown-validate"
chmod +x "$other"/*/sundown-sim "$other/seeds/sundown-validate"

expect "one program is not enough" 2 "usage: " bash "$traceDiff" "$sim"
expect "a missing program is refused" 2 "'/nonexistent/sundown-sim' is no program" \
  bash "$traceDiff" /nonexistent/sundown-sim "$sim"
expect "a build without its validator beside it is refused" 2 "sundown-validate' is no program" \
  bash "$traceDiff" "$sim" "$source/scripts/run.sh"
expect "a seed is a number, never a shell's word" 2 "SEED must be a whole number" \
  bash "$traceDiff" "$sim" "$sim" '1;touch x'
expect "a build that cannot play is no build that behaves alike" 2 "could not be played" \
  bash "$traceDiff" "$sim" "$other/broken/sundown-sim" 1 50
expect "a build behaves as itself" 0 "identical: " bash "$traceDiff" "$sim" "$sim" 1 50
expect "rules for the random sessions are names, never a shell's words" 2 \
  "TRACE_DIFF_OPT_IN is a list of rules" env TRACE_DIFF_OPT_IN='day;touch x' bash "$traceDiff" \
  "$sim" "$sim" 1 50
expect "frames at another rate are found, with the first line that differs" 1 \
  "DIFFERS: scenarios/" bash "$traceDiff" "$sim" "$other/frames/sundown-sim" 1 50
expect "another sequence of the random player is found" 1 \
  "DIFFERS: random player, seed 1, sequence 0 (events)" \
  bash "$traceDiff" "$sim" "$other/seeds/sundown-sim" 1 50

# The random sessions: the same script for the same seed, a rule beyond the text only when named.
session="$source/scripts/random-session.py"
if cmp -s <(python3 "$session" 7 300) <(python3 "$session" 7 300) &&
  ! cmp -s <(python3 "$session" 7 300) <(python3 "$session" 8 300); then
  echo "ok: a seed always gives the same session, another seed another"
else
  echo "FAILED: a seed always gives the same session, another seed another"
  failures=$((failures + 1))
fi
if python3 "$session" 7 3000 | grep -q -E '^set (enableHeadsUp|lossStreakLimit|daily|dayStartsAt|bedtime|keepHistory|keepSessionOnRestart) ' ||
  ! python3 "$session" 7 3000 --opt-in day,bedtime | grep -q -E '^set (dailyM|bedtime)'; then
  echo "FAILED: a session sets a rule beyond the text only when it is named"
  failures=$((failures + 1))
else
  echo "ok: a session sets a rule beyond the text only when it is named"
fi
expect "an unknown rule is refused" 2 "usage: random-session.py" python3 "$session" 7 30 \
  --opt-in lock

if [ "$failures" -gt 0 ]; then
  echo "$failures failed"
  exit 1
fi
echo "all passed"
