#!/usr/bin/env bash
# sundown-validate as a careful command-line tool: it starts its checks without a shell, finds
# itself however it is started, never loads the library under test in its own process, stops
# what hangs, cleans up after an interrupt, and passes nothing it did not play.
# Usage: validate.sh VALIDATE PLUGIN FIXTURES_DIR
set -uo pipefail
validate="$1" plugin="$2" fixtures="$3"
hangs="$fixtures/libfixture-hangs.so"
# In a sanitizer build its own handler would catch the crashing fixtures' signal before the
# programs under test could: leave crashes to them.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}handle_segv=0:handle_sigbus=0"
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

# A library whose getPlugin or loading never returns, or that crashes while loading: a child
# tries the load, is stopped or dies, and the run ends on its own with status 1, naming why.
for fixture in hangs load-hangs load-crashes crashes; do
  "$validate" --plugin "$fixtures/libfixture-$fixture.so" --check load-and-unload \
    --check context-changes --timeout 2 > "$scratch/$fixture.txt" 2>&1
  status=$?
  [ "$status" = 1 ] || fail "the $fixture fixture ended with status $status"
  grep -qF "CRASHED" "$scratch/$fixture.txt" || fail "the $fixture fixture is not CRASHED"
  grep -qF "0 passed, 1 failed, 2 skipped" "$scratch/$fixture.txt" \
    || fail "the $fixture fixture's checks are not told as not run"
done
for fixture in hangs load-hangs; do
  grep -qF "no answer within 2 s" "$scratch/$fixture.txt" || fail "$fixture: the limit is not told"
done
# Both checks are still named, each as not run: the load that hangs is the one CRASHED part.
for check in load-and-unload context-changes; do
  grep -qF "$check" "$scratch/hangs.txt" || fail "$check is not named"
done
[ "$(grep -c "CRASHED" "$scratch/hangs.txt")" = 1 ] || fail "the hanging load is not CRASHED once"
for fixture in load-crashes crashes; do
  grep -qF "it crashed with SIGSEGV" "$scratch/$fixture.txt" || fail "$fixture: no signal told"
done

# A bare name is the file in the current folder, never one the loader finds elsewhere.
mkdir -p "$scratch/here"
cp "$fixtures/libfixture-throws.so" "$scratch/here/Sundown.so"
(cd "$scratch/here" && "$validate" --plugin Sundown.so --check hostile-console-values \
    > "$scratch/bare.txt" 2>&1)
status=$?
[ "$status" = 1 ] && grep -qF "the fixture's getPlugin throws" "$scratch/bare.txt" \
  || fail "a bare name passed another library (status $status): $(cat "$scratch/bare.txt")"
cp "$plugin" "$scratch/here/Sundown.so"
(cd "$scratch/here" && "$validate" --plugin Sundown.so --check load-and-unload --iterations 10 \
    > "$scratch/full-path.txt" 2>&1) || fail "./Sundown.so: $(cat "$scratch/full-path.txt")"
grep -qF "plug-in: $scratch/here/Sundown.so" "$scratch/full-path.txt" \
  || fail "the full path of the library is not told"

# Refusals and bad command lines say why, with status 2.
refused() {
  local why="$1"
  shift
  "$validate" "$@" > "$scratch/refused.txt" 2>&1
  local status=$?
  [ "$status" = 2 ] && grep -qF -- "$why" "$scratch/refused.txt" \
    || fail "'$*' (status $status): $(head -c 300 "$scratch/refused.txt")"
}
mkfifo "$scratch/fifo"
ln -s "$scratch/loop-a" "$scratch/loop-b"
ln -s "$scratch/loop-b" "$scratch/loop-a"
refused "it is a FIFO, not a library" --plugin "$scratch/fifo"
refused "it is a loop of links" --plugin "$scratch/loop-a"
refused "the plug-in's name is empty" --plugin ""
refused "it is a folder, not a library" --plugin "$scratch"
refused "unknown option --frobnicate" --frobnicate 1
refused "--part 999 is past the last part" --check random-player --part 999 --iterations 20000
refused "--iterations takes a whole number from 1" --iterations 0
refused "--iterations takes a whole number from 1" --iterations -5
refused "--jobs takes a whole number from 1" --jobs 0
refused "--timeout takes a whole number from 1" --timeout 0

# Its children's output goes to a private folder: a link planted in the temporary folder under
# any name is never followed, and nothing is left there afterwards.
mkdir -p "$scratch/tmp"
echo "keep me" > "$scratch/victim"
# The links carry the name the validator would have chosen: its own process number.
(
  for n in 0 1 2 3 4 5 6 7 8 9; do
    ln -s "$scratch/victim" "$scratch/tmp/sundown-validate-$BASHPID-$n.txt"
  done
  ls -A "$scratch/tmp" > "$scratch/tmp-before.txt"
  TMPDIR="$scratch/tmp" exec "$validate" --check random-player --iterations 60
) > "$scratch/planted.txt" 2>&1 || fail "with planted links: $(cat "$scratch/planted.txt")"
[ "$(cat "$scratch/victim")" = "keep me" ] || fail "a planted link was followed"
[ "$(ls -A "$scratch/tmp")" = "$(cat "$scratch/tmp-before.txt")" ] \
  || fail "files were left in the temporary folder: $(ls -A "$scratch/tmp")"

# An interrupt ends the children and removes the temporary files: exit 130, or 143 for TERM.
for signal in INT TERM; do
  mkdir -p "$scratch/tmp-$signal"
  TMPDIR="$scratch/tmp-$signal" "$validate" --plugin "$fixtures/libfixture-load-hangs.so" \
    > "$scratch/interrupted.txt" 2>&1 &
  runner=$!
  sleep 1
  kill -"$signal" "$runner"
  wait "$runner"
  status=$?
  expected=$([ "$signal" = INT ] && echo 130 || echo 143)
  [ "$status" = "$expected" ] || fail "$signal ended it with status $status, not $expected"
  sleep 0.5
  left="$(pgrep -f "libfixture-load-hangs.so" | wc -l)"
  [ "$left" = 0 ] || fail "$signal left $left processes running"
  pkill -9 -f "libfixture-load-hangs.so" 2> /dev/null
  [ -z "$(ls -A "$scratch/tmp-$signal")" ] || fail "$signal left files: $(ls "$scratch/tmp-$signal")"
done

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
grep -qF "640 host events played" "$scratch/all.txt" || fail "the rate is not of the events played"

# A child started by hand is no child of the validator's: refused, never a load in this process.
"$validate" --child load > "$scratch/by-hand.txt" 2>&1
status=$?
[ "$status" = 2 ] && grep -qF -- "--child is for the validator's own children" "$scratch/by-hand.txt" \
  || fail "--child by hand (status $status): $(cat "$scratch/by-hand.txt")"

# A link before "..": the path is resolved by the system, once, and that file is what is tested.
mkdir -p "$scratch/d" "$scratch/elsewhere/sub"
cp "$plugin" "$scratch/elsewhere/Sundown.so"
cp "$fixtures/libfixture-throws.so" "$scratch/d/Sundown.so"
ln -s "$scratch/elsewhere/sub" "$scratch/d/link"
"$validate" --plugin "$scratch/d/link/../Sundown.so" --check load-and-unload --iterations 10 \
  > "$scratch/linked.txt" 2>&1 || fail "a link before '..': $(cat "$scratch/linked.txt")"
grep -qF "plug-in: $scratch/elsewhere/Sundown.so" "$scratch/linked.txt" \
  || fail "the file the link leads to is not the one told"

# Results that cannot be written end with status 3; an empty TMPDIR is one not set.
"$validate" --check load-and-unload --iterations 10 > /dev/full 2> /dev/null
[ $? = 3 ] || fail "a full standard output does not end with status 3"
"$validate" --check load-and-unload --iterations 10 --json > /dev/full 2> /dev/null
[ $? = 3 ] || fail "a full standard output with --json does not end with status 3"
TMPDIR="" "$validate" --check load-and-unload --iterations 10 > "$scratch/empty-tmpdir.txt" 2>&1 \
  || fail "an empty TMPDIR: $(cat "$scratch/empty-tmpdir.txt")"

# SIGHUP and SIGPIPE end it as SIGINT does; SIGKILL leaves no child running, and the process
# doing the work, left without its keeper, removes the private folder.
mkdir -p "$scratch/tmp-hup"
TMPDIR="$scratch/tmp-hup" "$validate" --check random-player --iterations 5000 > /dev/null 2>&1 &
runner=$!
sleep 1
kill -HUP "$runner"
wait "$runner"
status=$?
[ "$status" = 129 ] || fail "SIGHUP ended it with status $status, not 129"
[ -z "$(ls -A "$scratch/tmp-hup")" ] || fail "SIGHUP left files behind"
mkdir -p "$scratch/tmp-pipe"
TMPDIR="$scratch/tmp-pipe" "$validate" --check random-player --iterations 5000 | head -1 > /dev/null
status="${PIPESTATUS[0]}"
[ "$status" = 141 ] || fail "a reader that went away ended it with status $status, not 141"
[ -z "$(ls -A "$scratch/tmp-pipe")" ] || fail "SIGPIPE left files behind"
mkdir -p "$scratch/tmp-kill"
TMPDIR="$scratch/tmp-kill" "$validate" --plugin "$fixtures/libfixture-load-hangs.so" \
  > /dev/null 2>&1 &
runner=$!
sleep 1
kill -KILL "$runner"
wait "$runner" 2> /dev/null
sleep 0.5
[ "$(pgrep -f "libfixture-load-hangs.so" | wc -l)" = 0 ] || fail "SIGKILL left children running"
pkill -9 -f "libfixture-load-hangs.so" 2> /dev/null
[ -z "$(ls -A "$scratch/tmp-kill")" ] \
  || fail "SIGKILL left the private folder behind: $(ls -A "$scratch/tmp-kill")"
# Only the program and its work killed at once leave the folder, named as the README says.
mkdir -p "$scratch/tmp-kill-both"
TMPDIR="$scratch/tmp-kill-both" "$validate" --plugin "$fixtures/libfixture-load-hangs.so" \
  > /dev/null 2>&1 &
runner=$!
sleep 1
kill -KILL "$runner" $(pgrep -P "$runner")
wait "$runner" 2> /dev/null
sleep 0.5
[ "$(pgrep -f "libfixture-load-hangs.so" | wc -l)" = 0 ] \
  || fail "SIGKILL of the program and its work left children running"
pkill -9 -f "libfixture-load-hangs.so" 2> /dev/null
ls -d "$scratch/tmp-kill-both"/sundown-validate-* > /dev/null 2>&1 \
  || fail "SIGKILL of the program and its work left no private folder named as the README says"

# The load's limit is --timeout when it is given, and says so.
"$validate" --plugin "$fixtures/libfixture-load-hangs.so" --timeout 3 > "$scratch/timeout.txt" 2>&1
grep -qF "no answer within 3 s" "$scratch/timeout.txt" \
  || fail "the load's limit is not --timeout: $(cat "$scratch/timeout.txt")"

# The events file is the validator's to write: a file it cannot write is exit 3 with the reason,
# the part's verdict told all the same; the plug-in itself is never written over; a FIFO that no
# one reads is said to be so at once, not blamed on the plug-in when a limit runs out.
eventsRun() { "$validate" --plugin "$plugin" --check random-player --part 0 --iterations 300 --events "$@"; }
for target in /dev/full "$scratch/no-such-folder/events"; do
  eventsRun "$target" > "$scratch/events-fail.txt" 2>&1
  status=$?
  [ "$status" = 3 ] && grep -qF "1 passed, 0 failed" "$scratch/events-fail.txt" &&
    grep -qF "the events could not be written to '$target'" "$scratch/events-fail.txt" ||
    fail "--events $target: status $status, $(tail -3 "$scratch/events-fail.txt")"
done
cp "$plugin" "$scratch/plugin-copy.so"
"$validate" --plugin "$scratch/plugin-copy.so" --check random-player --part 0 --iterations 300 \
  --events "$scratch/plugin-copy.so" > "$scratch/events-plugin.txt" 2>&1
status=$?
[ "$status" = 2 ] && grep -qF "names the plug-in itself" "$scratch/events-plugin.txt" &&
  cmp -s "$plugin" "$scratch/plugin-copy.so" ||
  fail "--events naming the plug-in: status $status, $(cat "$scratch/events-plugin.txt")"
mkfifo "$scratch/no-reader"
timeout 60 "$validate" --plugin "$plugin" --check random-player --part 0 --iterations 300 \
  --events "$scratch/no-reader" > "$scratch/events-fifo.txt" 2>&1
status=$?
[ "$status" = 3 ] && grep -qF "no one reads it" "$scratch/events-fifo.txt" &&
  ! grep -qF "CRASHED" "$scratch/events-fifo.txt" ||
  fail "--events to a FIFO with no reader: status $status, $(tail -3 "$scratch/events-fifo.txt")"
eventsRun /dev/stdout > "$scratch/events-stdout.txt" 2>&1 ||
  fail "--events /dev/stdout: $(tail -3 "$scratch/events-stdout.txt")"
grep -qF '{"event":0,' "$scratch/events-stdout.txt" || fail "--events /dev/stdout wrote no event"

if [ "$failures" = 0 ]; then
  echo "all held"
fi
exit $((failures > 0))
