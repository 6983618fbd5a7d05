#!/usr/bin/env bash
# sundown-sim as a careful command-line tool: it says what failed and ends non-zero whenever
# something did, and never crashes on what a user or a plug-in hands it.
# Usage: sim.sh SIM PLUGIN NULL_TEXTS_FIXTURE THROWS_FIXTURE SOURCE_DIR
set -uo pipefail
sim="$1" plugin="$2" nullTexts="$3" throws="$4" source="$5"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
failures=0

# expect NAME STATUS TEXT COMMAND...: COMMAND ends with STATUS and says TEXT.
expect() {
  local name="$1" status="$2" text="$3"
  shift 3
  local output
  output="$("$@" 2>&1)"
  local got=$?
  if [ "$got" != "$status" ] || ! grep -qF -- "$text" <<<"$output"; then
    echo "FAILED: $name: status $got (expected $status), output:"
    head -c 2000 <<<"$output"
    echo
    failures=$((failures + 1))
  else
    echo "ok: $name"
  fi
}

printf 'settings open\nwait 100ms\nshow settings\nexpect running\n' > "$scratch/show.sundown"
printf 'settings open\nwait 100ms\nsnapshot picture.png\n' > "$scratch/picture.sundown"

expect "--help prints the usage" 0 "usage: sundown-sim" "$sim" --help
expect "-h prints the usage" 0 "usage: sundown-sim" "$sim" -h
expect "an empty script name is refused" 2 "the script's name is empty" "$sim" --plugin "$plugin" ""
expect "a folder is no script" 2 "is a folder, not a script" "$sim" --plugin "$plugin" "$scratch"
expect "a closed standard input is no script" 2 "standard input: it is closed" \
  bash -c 'exec "$0" --plugin "$1" - <&-' "$sim" "$plugin"
expect "an event log that cannot be written" 3 "cannot write the event log" \
  "$sim" --plugin "$plugin" --events /dev/full "$scratch/show.sundown"
expect "a full standard output" 3 "cannot write the timeline to standard output" \
  bash -c 'exec "$0" --plugin "$1" "$2" > /dev/full' "$sim" "$plugin" "$scratch/show.sundown"
expect "a folder is no plug-in" 2 "refused: it is a folder, not a library" \
  "$sim" --plugin "$scratch" "$scratch/show.sundown"
expect "a record without its texts is refused" 2 "it does not export the texts of its record" \
  "$sim" --plugin "$nullTexts" "$scratch/show.sundown"
expect "a getPlugin that throws is told, not an abort" 2 \
  "the plug-in threw an exception out of getPlugin: the fixture's getPlugin throws" \
  "$sim" --plugin "$throws" "$scratch/show.sundown"
expect "--quiet leaves out what show prints" 0 "Summary: 1 passed, 0 failed" \
  "$sim" --quiet --plugin "$plugin" "$scratch/show.sundown"
if "$sim" --quiet --plugin "$plugin" "$scratch/show.sundown" | grep -qF "Sundown plugin settings"; then
  echo "FAILED: --quiet printed the page"
  failures=$((failures + 1))
fi

# Every event the timeline shows is in the event log, with who caused it.
"$sim" --plugin "$plugin" --events "$scratch/events.jsonl" > "$scratch/timeline.txt"
for event in '"type":"story","by":"host","text":"plug-in loaded: Sundown' \
             '"type":"story","by":"script","text":"you press F5"' \
             '"type":"command","by":"key","text":"SundownEnableDisable"' \
             '"type":"game","by":"game","what":"ended","detail":"win"' \
             '"type":"command","by":"plugin","text":"unreal_command exit","log":true'; do
  if ! grep -qF -- "$event" "$scratch/events.jsonl"; then
    echo "FAILED: the event log lacks $event"
    failures=$((failures + 1))
  fi
done

# Pictures land beside the script that takes them, from whatever folder it is played.
if "$sim" --plugin "$plugin" "$scratch/picture.sundown" > "$scratch/picture.txt" 2>&1; then
  if [ ! -s "$scratch/picture.png" ]; then
    echo "FAILED: the picture is not beside its script"
    failures=$((failures + 1))
  fi
  printf 'snapshot /dev/full\n' > "$scratch/full.sundown"
  expect "a picture that cannot be written" 3 "cannot write the picture '/dev/full'" \
    "$sim" --plugin "$plugin" "$scratch/full.sundown"
elif ! grep -qF "takes no pictures" "$scratch/picture.txt"; then
  echo "FAILED: the picture script"; cat "$scratch/picture.txt"
  failures=$((failures + 1))
fi

exit $((failures > 0))
