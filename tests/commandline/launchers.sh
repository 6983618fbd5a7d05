#!/usr/bin/env bash
# Both tools as a careless launcher, a pipe or a signal from outside would start and end them:
# what the launcher leaves behind never makes them hang or lie, and what ends them is told as
# what it is. Usage: launchers.sh SIM VALIDATE PLUGIN
set -uo pipefail
sim="$1" validate="$2" plugin="$3"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
# shellcheck source=expect.sh
source "$(dirname "$0")/expect.sh"

# A launcher that ignores SIGCHLD, as a service that ignores it passes it on through exec.
ignoringChildren() {
  perl -e '$SIG{CHLD} = "IGNORE"; exec @ARGV or die "cannot run $ARGV[0]\n"' -- "$@"
}
expect "sundown-sim started with SIGCHLD ignored plays to its end" 0 "Summary: 10 passed, 0 failed" \
  timeout 60 bash -c "$(declare -f ignoringChildren); ignoringChildren \"\$@\"" _ \
  "$sim" --quiet --plugin "$plugin"
expect "sundown-validate started with SIGCHLD ignored checks and ends" 0 "1 passed, 0 failed" \
  timeout 120 bash -c "$(declare -f ignoringChildren); ignoringChildren \"\$@\"" _ \
  "$validate" --plugin "$plugin" --check load-and-unload --iterations 5

# What the launcher started before it became the validator is not the validator's to end.
bash -c 'sleep 300 & echo $! > "$2/sleeper"; exec "$0" --plugin "$1" --check load-and-unload \
  --iterations 5' "$validate" "$plugin" "$scratch" > /dev/null 2>&1
sleeper="$(cat "$scratch/sleeper")"
expect "a process the launcher started before exec outlives the validator" 0 "" kill -0 "$sleeper"
kill "$sleeper" 2>/dev/null

# A reader that went away is no crash: the status a pipe's writer has, and no word. The page
# shown again and again writes more than a pipe holds.
{
  printf 'settings open\nwait 100ms\n'
  for _ in $(seq 2000); do echo "show settings"; done
} > "$scratch/long.sundown"
timeout 60 "$sim" --plugin "$plugin" "$scratch/long.sundown" 2> "$scratch/head.err" |
  head -1 > /dev/null
status="${PIPESTATUS[0]}"
expect "sundown-sim | head -1 ends as a pipe's writer does (141)" 0 "" test "$status" = 141
expect "sundown-sim | head -1 tells no crash" 1 "" grep -q crashed "$scratch/head.err"

# Standard input that is no script is refused, as a folder named as a script is.
expect "a folder as standard input is no script" 2 "it is a folder, not a script" \
  bash -c 'exec "$0" --plugin "$1" - < "$2"' "$sim" "$plugin" "$scratch"
expect "standard input open for writing only is no script" 2 "open for writing only" \
  bash -c 'exec "$0" --plugin "$1" - 0> "$2/out"' "$sim" "$plugin" "$scratch"

# A signal sent from outside to the player is told as that, not as the plug-in's crash.
mkfifo "$scratch/script"
timeout 60 "$sim" --plugin "$plugin" - < "$scratch/script" > /dev/null 2> "$scratch/term.err" &
runner=$!
exec 7> "$scratch/script"
player=""
for _ in $(seq 100); do
  player="$(workOf "$(workOf "$(pgrep -P "$runner" -x sundown-sim | head -1)")")"
  [ -n "$player" ] && break
  sleep 0.1
done
[ -n "$player" ] && kill -TERM "$player"
wait "$runner"
status=$?
exec 7>&-
expect "SIGTERM from outside ends sundown-sim with 143" 0 "" test "$status" = 143
expect "SIGTERM from outside is not told as a crash" 0 "stopped from outside by" \
  cat "$scratch/term.err"

# A child of the validator reads nothing of the caller's standard input, and dumps no core.
mkfifo "$scratch/input"
"$validate" --plugin "$plugin" --check random-player --iterations 200000 > /dev/null 2>&1 \
  < "$scratch/input" &
pid=$!
exec 8> "$scratch/input"
# A child that has started: its limit is set as it starts, which a sanitizer build takes its
# time over. Children come and go as parts end, so each look takes the child running then, and
# both are read from the same look.
input=""
limits=""
for _ in $(seq 300); do
  work="$(workOf "$pid")"
  [ -n "$work" ] || { sleep 0.1; continue; }
  for child in $(pgrep -f -- "--parent $work"); do
    limits="$(grep -E '^Max core file size' "/proc/$child/limits" 2>/dev/null)"
    input="$(readlink "/proc/$child/fd/0" 2>/dev/null)"
    [[ "$limits" =~ ^Max\ core\ file\ size\ +0\ +0\  ]] && break 2
  done
  sleep 0.1
done
expect "a child of the validator has /dev/null as standard input" 0 "/dev/null" \
  echo "$input"
expect "a child of the validator may dump no core" 0 "" \
  bash -c '[[ "$0" =~ ^Max\ core\ file\ size\ +0\ +0\  ]]' "$limits"
kill -INT "$pid"
wait "$pid"
exec 8>&-

# Every signal that ends a process by default ends the validator as SIGINT does: its children
# stopped, its status 128 and the signal.
for signal in USR1 QUIT ALRM; do
  mkdir -p "$scratch/tmp-$signal"
  TMPDIR="$scratch/tmp-$signal" "$validate" --plugin "$plugin" --check random-player \
    --iterations 200000 > /dev/null 2> "$scratch/$signal.err" &
  pid=$!
  # Once a child runs, the validator's handlers are in place, however slow a sanitizer build
  # and a busy machine make its start.
  work=""
  for _ in $(seq 300); do
    work="$(workOf "$pid")"
    [ -n "$work" ] && pgrep -f -- "--parent $work" > /dev/null && break
    sleep 0.1
  done
  kill -"$signal" "$pid"
  timeout 60 tail --pid="$pid" -f /dev/null
  wait "$pid"
  status=$?
  number="$(kill -l "$signal")"
  expect "SIG$signal ends sundown-validate with $((128 + number))" 0 "" \
    test "$status" = "$((128 + number))"
  expect "SIG$signal leaves no child of the validator running" 1 "" pgrep -f "parent $work"
  expect "SIG$signal is told as an interruption" 0 "sundown-validate: interrupted" \
    cat "$scratch/$signal.err"
  expect "SIG$signal leaves no private folder behind" 0 "" \
    test -z "$(ls -A "$scratch/tmp-$signal")"
done

# Stopped as a terminal stops a job (SIGTSTP), the program's work and the play stop with it, and
# go on with it.
stateOf() {  # the state letter /proc gives a process: R, S, T, ...
  sed 's/.*) //' "/proc/$1/stat" 2> /dev/null | cut -d' ' -f1
}
# waitForState PID STATE...: within ten seconds, PID in one of the STATEs.
waitForState() {
  local pid="$1" state
  shift
  for _ in $(seq 100); do
    state="$(stateOf "$pid")"
    for wanted in "$@"; do
      [ "$state" = "$wanted" ] && return 0
    done
    sleep 0.1
  done
  return 1
}
for _ in $(seq 100); do echo "wait 24h"; done > "$scratch/long.sundown"
"$sim" --plugin "$plugin" --quiet "$scratch/long.sundown" > /dev/null 2>&1 &
pid=$!
work="" player=""
for _ in $(seq 100); do
  work="$(workOf "$pid")"
  player="$(workOf "$work")"
  [ -n "$player" ] && break
  sleep 0.1
done
kill -TSTP "$pid"
expect "SIGTSTP stops sundown-sim's work" 0 "" waitForState "$work" T
expect "SIGTSTP stops sundown-sim's play" 0 "" waitForState "$player" T
kill -CONT "$pid"
expect "SIGCONT lets sundown-sim's work go on" 0 "" waitForState "$work" R S
expect "SIGCONT lets sundown-sim's play go on" 0 "" waitForState "$player" R S D
kill -TERM "$pid"
wait "$pid"
status=$?
expect "SIGTERM after a stop ends sundown-sim with 143" 0 "" test "$status" = 143

if ((failures > 0)); then
  echo "$failures failed"
  exit 1
fi
echo "all passed"
