#!/usr/bin/env bash
# sundown-validate and sundown-sim against libraries that wrap the real plug-in and misbehave:
# whatever such a library does to the process (ends it, forges what it prints, crashes behind a
# handler of its own, leaves processes behind, writes without end, closes its output), neither
# tool reports a pass for a check it did not complete, and nothing it starts outlives the run.
# Usage: hostile-libraries.sh VALIDATE SIM FIXTURES_DIR
set -uo pipefail
validate="$1" sim="$2" fixtures="$3"
# shellcheck source=expect.sh
source "$(dirname "$0")/expect.sh"
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}handle_segv=0:handle_sigbus=0"
scratch="$(mktemp -d "${TMPDIR:-/tmp}/hostile.XXXXXXXX")"
trap 'pkill -9 -f "sleep 31.4159" 2>/dev/null; rm -rf -- "$scratch"' EXIT
fixture() { echo "$fixtures/libfixture-$1.so"; }
checkFailure() {  # checkFailure NAME STATUS OUTPUT_FILE: counts a failure when STATUS is not 0
  if [ "$2" != 0 ]; then
    echo "FAILED: $1"
    head -c 2000 "$3"
    echo
    failures=$((failures + 1))
  else
    echo "ok: $1"
  fi
}

# A library that ends the process as it loads: the load has no verdict, nothing is passed.
for how in exits quick-exits underscore-exits exits-1 exits-2; do
  expect "a library whose constructor $how: the load is CRASHED, told why" 1 \
    "it ended without a verdict (exit status" \
    "$validate" --plugin "$(fixture "$how")" --check load-and-unload --check context-changes
  expect "a library whose constructor $how: no check passes" 1 "0 passed, 1 failed, 2 skipped" \
    "$validate" --plugin "$(fixture "$how")" --check load-and-unload --check context-changes
done
expect "exit(2) never means a bad command line" 1 "it ended without a verdict (exit status 2)" \
  "$validate" --plugin "$(fixture exits-2)"

# Counts and verdicts forged on the standard streams count for nothing.
"$validate" --plugin "$(fixture forges)" --iterations 20000 > "$scratch/forged.txt" 2>&1
status=$?
[ "$status" = 1 ] && ! grep -qF "events a second" "$scratch/forged.txt" &&
  grep -qF "0 passed, 1 failed, 5 skipped" "$scratch/forged.txt"
checkFailure "forged counts and a forged verdict pass nothing (status $status)" $? "$scratch/forged.txt"
"$validate" --plugin "$(fixture forges)" --json > "$scratch/forged.json" 2> /dev/null
grep -qF '{"check":"load","result":"CRASHED"' "$scratch/forged.json" &&
  grep -qF '{"check":"random-player","result":"NOT RUN","seconds":0,"seed":1}' "$scratch/forged.json" &&
  grep -qF '{"passed":0,"failed":1,"skipped":5}' "$scratch/forged.json"
checkFailure "the JSON of a failed load has every check, its seed and its seconds" $? \
  "$scratch/forged.json"

# The verdict channel: a verdict without the run's token is none, junk on it is said to be there,
# a channel the library took is found before a verdict lands in its file, and a flood of junk
# before the verdict hides nothing.
expect "a verdict without the run's token, on the channel itself, passes nothing" 1 \
  "it ended without a verdict of this run: its verdict channel held 36 bytes" \
  "$validate" --plugin "$(fixture forges-channel)" --check load-and-unload
expect "a channel the library closed and reopened as its own file gets no verdict" 1 \
  "is no longer the pipe the validator opened" \
  "$validate" --plugin "$(fixture takes-channel)" --check load-and-unload
expect "200 KiB of junk before the verdict hides nothing" 0 "2 passed, 0 failed" \
  "$validate" --plugin "$(fixture floods-channel)" --check load-and-unload \
  --check hostile-console-values

# What a child wrote is read through the file the validator made, never by its name again: a FIFO
# or a link the library put in its place is neither waited on nor reported.
expect "a FIFO where the output file was holds nothing up" 0 "1 passed, 0 failed" \
  timeout 60 "$validate" --plugin "$(fixture fifo-for-output)" --check hostile-console-values
"$validate" --plugin "$(fixture link-for-output)" --check hostile-console-values \
  > "$scratch/link.txt" 2>&1
status=$?
[ "$status" = 0 ] && ! grep -qF "NOT-THE-CHILD'S-OUTPUT" "$scratch/link.txt"
checkFailure "a link where the output file was is not followed (status $status)" $? \
  "$scratch/link.txt"
rm -f /tmp/fixture-link-for-output.txt

# A child that leaves its group for the validator's own and never answers is still stopped at its
# limit.
expect "a child in the validator's own group is stopped at its limit" 1 "no answer within 3 s" \
  timeout 60 "$validate" --plugin "$(fixture joins-group)" --timeout 3

# A library's terminal escapes reach the report shown, never raw.
"$validate" --plugin "$(fixture prints-escapes)" --check load-and-unload --iterations 10 \
  > "$scratch/escapes.txt" 2>&1
status=$?
[ "$status" = 0 ] && ! grep -q $'\033' "$scratch/escapes.txt" &&
  grep -qF '\x1b[2J\x1b]0;owned\x07' "$scratch/escapes.txt"
checkFailure "a library's escapes are shown, not sent to the terminal (status $status)" $? \
  "$scratch/escapes.txt"

# A small steady leak is judged by its slope, not against a flat megabyte it stays under (where
# the build measures memory: a sanitizer's quarantine holds freed memory back).
if "$validate" --plugin "$fixtures/Sundown.so" --check load-and-unload --iterations 1000 \
  > "$scratch/no-leak.txt" 2>&1; then
  if ! grep -qF "not measured in this build" "$scratch/no-leak.txt"; then
    expect "1.2 KiB a load, under a megabyte over 800 loads, is a leak" 1 \
      "memory grows with every load" \
      "$validate" --plugin "$(fixture leaks)" --check load-and-unload --iterations 1000
  fi
else
  checkFailure "the plug-in itself leaks nothing over 1000 loads" 1 "$scratch/no-leak.txt"
fi

# The children run in the validator's private folder: a library's own files never land in the
# caller's.
mkdir "$scratch/caller"
(cd "$scratch/caller" && "$validate" --plugin "$(fixture writes-here)" --check load-and-unload \
  --iterations 10 > "$scratch/writes-here.txt" 2>&1)
status=$?
[ "$status" = 0 ] && [ ! -e "$scratch/caller/fixture-was-here.txt" ]
checkFailure "a library's own file does not land in the caller's folder (status $status)" $? \
  "$scratch/writes-here.txt"

# A part that ends early, or whose crash is turned into exit 0, is CRASHED, and the check too.
expect "a random-player part that ends with exit 0 is CRASHED" 1 \
  "part 3: it ended without a verdict (exit status 0)" \
  "$validate" --plugin "$(fixture part-ends)" --check random-player --iterations 300 --jobs 2
expect "a crash turned into exit 0 by the library's own handler is CRASHED" 1 \
  "part 2: it ended without a verdict (exit status 0)" \
  "$validate" --plugin "$(fixture crash-to-exit)" --check random-player --iterations 300 --jobs 2

# What a library starts lives no longer than its child, even in a session of its own.
# Each run's sleepers inherit a mark of it, so that another test's, run side by side, are neither
# counted nor ended here.
for how in forks forks-away forks-chain; do
  mark="SUNDOWN_SLEEPER_OF=hostile-$$-$how"
  expect "a library that $how passes what it passes" 0 "2 passed, 0 failed" \
    env "$mark" "$validate" --plugin "$(fixture "$how")" --check load-and-unload \
    --check hostile-console-values --iterations 10
  sleep 0.3
  endMarkedSleepers "$mark"
  [ "$left" = 0 ]
  checkFailure "a library that $how leaves nothing running ($left left)" $? /dev/null
done

# Nothing of a run outlives a SIGKILL, though no parent-death signal reaches what the library
# started: not of the program the launcher started, nor of the process doing its work, nor of
# the launcher's whole process group (as `timeout -s KILL` ends a job); nor a SIGTERM, which
# ends the simulator where it stands.
# runEndedBy SIGNAL WHAT MARK COMMAND...: starts COMMAND as a job of its own, waits for a sleeper
# of its library, and sends SIGNAL to WHAT (program, work or group). Sets `status` to the
# program's end and `left` to what of the run still runs a moment later: its work and the
# library's sleepers.
runEndedBy() {
  local signal="$1" what="$2" mark="$3"
  shift 3
  env "$mark" setsid "$@" > /dev/null 2>&1 &
  local program=$! work=""
  for _ in $(seq 300); do
    work="$(workOf "$program")"
    [ -n "$work" ] && [ -n "$(markedSleepers "$mark")" ] && break
    sleep 0.1
  done
  case "$what" in
    program) kill -"$signal" "$program" ;;
    work) kill -"$signal" "$work" ;;
    group) kill -"$signal" -- "-$program" ;;
  esac
  wait "$program"
  status=$?
  for _ in $(seq 100); do
    kill -0 "$work" 2> /dev/null || break
    sleep 0.05
  done
  local workLeft=0
  kill -0 "$work" 2> /dev/null && workLeft=1 && kill -KILL "$work"
  sleep 0.3
  endMarkedSleepers "$mark"
  left=$((left + workLeft))
}
for _ in $(seq 100); do echo "wait 24h"; done > "$scratch/long.sundown"
for how in KILL:program KILL:work KILL:group TERM:program; do
  signal="${how%:*}" what="${how#*:}"
  expected=$((128 + $(kill -l "$signal")))
  runEndedBy "$signal" "$what" "SUNDOWN_SLEEPER_OF=hostile-$$-validate-$signal-$what" \
    "$validate" --plugin "$(fixture forks-away)" --check random-player --iterations 200000
  [ "$status" = "$expected" ] && [ "$left" = 0 ]
  checkFailure "sundown-validate: SIG$signal to its $what leaves nothing running (status $status, $left left)" \
    $? /dev/null
  runEndedBy "$signal" "$what" "SUNDOWN_SLEEPER_OF=hostile-$$-sim-$signal-$what" "$sim" \
    --plugin "$(fixture forks-away)" --quiet "$scratch/long.sundown"
  [ "$status" = "$expected" ] && [ "$left" = 0 ]
  checkFailure "sundown-sim: SIG$signal to its $what leaves nothing running (status $status, $left left)" \
    $? /dev/null
done

# Output without end: the report keeps its start and end, the validator's memory stays small.
# Measured against the same check with a quiet library, as a sanitizer's own share is large.
/usr/bin/time -f "%M" -o "$scratch/quiet.txt" "$validate" --plugin "$(fixture closes-output)" \
  --check hostile-console-values > /dev/null 2>&1
/usr/bin/time -f "%M" -o "$scratch/memory.txt" "$validate" --plugin "$(fixture chatty)" \
  --check hostile-console-values > "$scratch/chatty.txt" 2>&1
status=$?
kilobytes=$(($(tail -1 "$scratch/memory.txt") - $(tail -1 "$scratch/quiet.txt")))
[ "$status" = 0 ] && [ "$kilobytes" -lt 100000 ] &&
  grep -qE "\[[0-9]+ bytes of its output left out\]" "$scratch/chatty.txt"
checkFailure "300 MB a load: the report cut, the validator ${kilobytes} KB above a quiet one (status $status)" $? \
  /dev/null

# A library that closes its output still plays, and its events are counted.
expect "a closed standard output: the events played are still counted" 0 \
  "480 host events played" \
  "$validate" --plugin "$(fixture closes-output)" --check random-player --iterations 60

# A library that ends the simulator's process while loading or playing: told, with the line.
printf 'wait 1s\nrestart\nwait 1s\nexpect running\n' > "$scratch/restart.sundown"
expect "sundown-sim: exit(0) at a restart is told with its script line" 2 \
  "the plug-in ended the program (exit status 0) while loading the plug-in" \
  "$sim" --plugin "$(fixture exits-at-second-load)" "$scratch/restart.sundown"
expect "sundown-sim: ... and names the line" 2 "restart.sundown:2 'restart'" \
  "$sim" --plugin "$(fixture exits-at-second-load)" "$scratch/restart.sundown"
for how in exits quick-exits underscore-exits; do
  expect "sundown-sim: a constructor that $how is told, never status 0" 2 \
    "the plug-in ended the program (exit status 0) while loading the plug-in" \
    "$sim" --plugin "$(fixture "$how")" "$scratch/restart.sundown"
done
expect "sundown-sim: a status written on its channel by the plug-in is no status" 2 \
  "the plug-in ended the program (exit status 0) while loading the plug-in" \
  "$sim" --plugin "$(fixture forges-status)" "$scratch/restart.sundown"
expect "sundown-sim: a getPlugin that recurses without end is told as a crash" 2 \
  "crashed with SIGSEGV" "$sim" --plugin "$(fixture recurses)" "$scratch/restart.sundown"
expect "sundown-validate: a getPlugin that recurses without end is CRASHED" 1 "CRASHED" \
  "$validate" --plugin "$(fixture recurses)" --check load-and-unload

# A record shorter than the host reads is refused, never read past its end.
expect "an exports record of 4 bytes is refused" 2 \
  "its record 'exports' is 4 bytes, where the host reads 64" \
  "$validate" --plugin "$(fixture short-record)"
expect "sundown-sim refuses it too" 2 "its record 'exports' is 4 bytes" \
  "$sim" --plugin "$(fixture short-record)" "$scratch/restart.sundown"

if [ "$failures" -gt 0 ]; then
  echo "$failures failed"
  exit 1
fi
echo "all passed"
