#!/usr/bin/env bash
# sundown-validate as a careful command-line tool: it starts its checks without a shell, finds
# itself however it is started, stops a check that hangs, and says how to replay a sequence.
# Usage: validate.sh VALIDATE PLUGIN HANGING_FIXTURE
set -uo pipefail
validate="$1" plugin="$2" hangs="$3"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() {
  echo "FAILED: $1"
  failures=$((failures + 1))
}

"$validate" --help | grep -qF "usage: sundown-validate" || fail "--help"
"$validate" -h > /dev/null || fail "-h ends with status 0"

# A plug-in in a folder whose name a shell would run: nothing of it runs.
injected="$scratch/dir\$(touch INJECTED)x"
mkdir -p "$injected"
cp "$plugin" "$injected/"
(cd "$scratch" && "$validate" --plugin "$injected/$(basename "$plugin")" \
    --check hostile-console-values --iterations 10 > "$scratch/injection.txt" 2>&1) \
  || fail "the check in the odd folder: $(cat "$scratch/injection.txt")"
[ ! -e "$scratch/INJECTED" ] || fail "a shell ran what the folder's name said"

# Started through a link, or found on PATH, it still finds the plug-in beside itself.
ln -s "$validate" "$scratch/linked-validate"
"$scratch/linked-validate" --check load-and-unload --iterations 10 > "$scratch/link.txt" 2>&1 \
  || fail "through a link: $(cat "$scratch/link.txt")"
(cd / && PATH="$(dirname "$validate"):$PATH" "$(basename "$validate")" \
    --check load-and-unload --iterations 10 > "$scratch/path.txt" 2>&1) \
  || fail "from PATH: $(cat "$scratch/path.txt")"

# A getPlugin that never returns: each check is stopped at its time limit, named, and the next
# one runs.
"$validate" --plugin "$hangs" --check load-and-unload --check context-changes --timeout 2 \
  > "$scratch/hang.txt" 2>&1
status=$?
[ "$status" = 1 ] || fail "a hanging plug-in ended with status $status"
for check in load-and-unload context-changes; do
  grep -qF "$check" "$scratch/hang.txt" || fail "$check is not named"
done
[ "$(grep -c "CRASHED" "$scratch/hang.txt")" = 2 ] || fail "both checks are not CRASHED"
grep -qF "no answer within 2 s" "$scratch/hang.txt" || fail "the time limit is not told"

# One sequence alone replays exactly what it played among the others.
"$validate" --check random-player --seed 3 --iterations 80 > "$scratch/all.txt" 2>&1 \
  || fail "the random player: $(cat "$scratch/all.txt")"
"$validate" --check random-player --seed 3 --iterations 80 --part 5 > "$scratch/one.txt" 2>&1 \
  || fail "sequence 5 alone: $(cat "$scratch/one.txt")"
strip() { grep -F "sequence $1 " | sed 's/; [0-9]* events a second//'; }
together="$(strip 5 < "$scratch/all.txt")"
alone="$(strip 5 < "$scratch/one.txt")"
[ -n "$together" ] && [ "$together" = "$alone" ] \
  || fail "sequence 5 alone ('$alone') is not what it was among the others ('$together')"
[ "$(grep -c "sequence " "$scratch/one.txt")" = 1 ] || fail "--part ran more than one sequence"
grep -qE "[0-9]+ events a second" "$scratch/all.txt" || fail "the rate is not told"

if [ "$failures" = 0 ]; then
  echo "all held"
fi
exit $((failures > 0))
