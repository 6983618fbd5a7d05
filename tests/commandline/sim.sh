#!/usr/bin/env bash
# sundown-sim as a careful command-line tool: it says what failed and ends non-zero whenever
# something did, and never crashes on what a user or a plug-in hands it.
# Usage: sim.sh SIM PLUGIN FIXTURES_DIR SOURCE_DIR
set -uo pipefail
sim="$1" plugin="$2" fixtures="$3" source="$4"
nullTexts="$fixtures/libfixture-null-texts.so" throws="$fixtures/libfixture-throws.so"
# In a sanitizer build its own handler would catch the crashing fixtures' signal before the
# programs under test could: leave crashes to them.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}handle_segv=0:handle_sigbus=0"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
# shellcheck source=expect.sh
source "$(dirname "$0")/expect.sh"

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

# Exactly the file named: a bare name is the file in the current folder, never one the loader
# finds elsewhere, and the full path of what was loaded is told.
mkdir -p "$scratch/here"
cp "$throws" "$scratch/here/Sundown.so"
(cd "$scratch/here" && "$sim" --plugin Sundown.so "$scratch/show.sundown" > "$scratch/bare.txt" 2>&1)
status=$?
if [ "$status" != 2 ] || ! grep -qF "the fixture's getPlugin throws" "$scratch/bare.txt"; then
  echo "FAILED: a bare name loaded another library than ./Sundown.so (status $status)"
  cat "$scratch/bare.txt"
  failures=$((failures + 1))
fi
cp "$plugin" "$scratch/here/Sundown.so"
expect "the full path of the library loaded is told" 0 "plug-in file: $scratch/here/Sundown.so" \
  bash -c 'cd "$0" && exec "$1" --plugin Sundown.so "$2"' "$scratch/here" "$sim" "$scratch/show.sundown"

# What is not a regular, readable library is refused with the reason.
mkfifo "$scratch/fifo"
ln -s "$scratch/loop-a" "$scratch/loop-b"
ln -s "$scratch/loop-b" "$scratch/loop-a"
expect "a FIFO is refused" 2 "refused: it is a FIFO, not a library" \
  "$sim" --plugin "$scratch/fifo" "$scratch/show.sundown"
expect "a loop of links is refused" 2 "refused: it is a loop of links" \
  "$sim" --plugin "$scratch/loop-a" "$scratch/show.sundown"
expect "an empty plug-in name is refused" 2 "the plug-in's name is empty" \
  "$sim" --plugin "" "$scratch/show.sundown"

# Options and lines it does not know are named.
expect "an unknown option" 2 "unknown option --frobnicate" "$sim" --frobnicate 1
expect "-q is no script" 2 "unknown option -q" "$sim" -q "$scratch/show.sundown"
printf 'snapshot ""\n' > "$scratch/empty-picture.sundown"
expect "a picture without a name is a bad line" 2 "the picture's file name is empty" \
  "$sim" --plugin "$plugin" "$scratch/empty-picture.sundown"
printf 'match win online offline 1s 2s\n' > "$scratch/contradiction.sundown"
expect "a match both online and offline is a bad line" 2 "a match is online or offline once" \
  "$sim" --plugin "$plugin" "$scratch/contradiction.sundown"

# A plug-in that crashes, while loading or in getPlugin, is told with the signal: status 2.
expect "a crash while loading is told" 2 "crashed with SIGSEGV" \
  "$sim" --plugin "$fixtures/libfixture-load-crashes.so" "$scratch/show.sundown"
expect "a crash in getPlugin is told" 2 "crashed with SIGSEGV (invalid memory access) while loading the plug-in" \
  "$sim" --plugin "$fixtures/libfixture-crashes.so" "$scratch/show.sundown"

# A match line ends the moment the plug-in's disconnect ends the match, not 10 s later.
printf 'set numOfGames 1\ncommand SundownEnableDisable\nmatch win\nexpect running\nwait 3s\nexpect quit\n' \
  > "$scratch/cut.sundown"
expect "the match line ends at the disconnect" 0 "Summary: 2 passed, 0 failed" \
  "$sim" --plugin "$plugin" "$scratch/cut.sundown"

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
# A crash as the program ends, when the library's static objects are destroyed, is told.
atExit="$fixtures/libfixture-crashes-at-exit.so"
if [ -f "$atExit" ]; then
  expect "a crash as the plug-in is unloaded at the end is told, exit 2" 2 \
    "after the play, as the program ended and the plug-in was unloaded" \
    "$sim" --quiet --plugin "$atExit" "$scratch/show.sundown"
fi

# A plug-in that changes the current folder moves neither the library a restart loads nor the
# pictures: both were resolved at the start.
moved="$fixtures/libfixture-changes-folder.so"
if [ -f "$moved" ]; then
  mkdir -p "$scratch/moved"
  printf 'restart\nsettings open\nwait 100ms\nshow settings\nexpect running\n' \
    > "$scratch/moved/restart.sundown"
  expect "a restart loads the library named, though the plug-in changed the folder" 0 \
    "Summary: 1 passed, 0 failed" \
    bash -c 'cd "$(dirname "$1")" && exec "$0" --plugin "./$(basename "$1")" "$2"' "$sim" \
    "$moved" "$scratch/moved/restart.sundown"
  printf 'settings open\nwait 100ms\nsnapshot moved.png\n' > "$scratch/moved/picture.sundown"
  if (cd "$scratch/moved" && "$sim" --plugin "$moved" picture.sundown) > "$scratch/moved.txt" 2>&1
  then
    expect "a picture lands beside its script, though the plug-in changed the folder" 0 "" \
      test -s "$scratch/moved/moved.png"
    rm -f /moved.png
  elif ! grep -qF "takes no pictures" "$scratch/moved.txt"; then
    echo "FAILED: the picture script of the plug-in that changes the folder"
    cat "$scratch/moved.txt"
    failures=$((failures + 1))
  fi
fi
if "$sim" --plugin "$plugin" "$scratch/picture.sundown" > "$scratch/picture.txt" 2>&1; then
  if [ ! -s "$scratch/picture.png" ]; then
    echo "FAILED: the picture is not beside its script"
    failures=$((failures + 1))
  fi
  printf 'snapshot /dev/full\n' > "$scratch/full.sundown"
  expect "a picture that cannot be written" 3 "cannot write the picture '/dev/full'" \
    "$sim" --plugin "$plugin" --pictures /dev "$scratch/full.sundown"
  mkdir -p "$scratch/named"
  printf 'settings open\nwait 100ms\nsnapshot %s\n' "$scratch/elsewhere.png" \
    > "$scratch/named/named.sundown"
  expect "a folder the user names with --pictures takes a script's picture" 0 "snapshot written" \
    "$sim" --plugin "$plugin" --pictures "$scratch" "$scratch/named/named.sundown"
elif ! grep -qF "takes no pictures" "$scratch/picture.txt"; then
  echo "FAILED: the picture script"; cat "$scratch/picture.txt"
  failures=$((failures + 1))
fi

# An empty event log name, a NUL in a script, a link before "..": each told plainly.
expect "--events takes a file's name" 2 "--events takes the name of a file" \
  "$sim" --plugin "$plugin" --events "" "$scratch/show.sundown"
printf 'wa\0it 1s\n' > "$scratch/nul.sundown"
expect "a NUL in a script is shown, not an end to the message" 2 "unknown verb 'wa\\0it'" \
  "$sim" --plugin "$plugin" "$scratch/nul.sundown"
mkdir -p "$scratch/d" "$scratch/elsewhere/sub"
cp "$plugin" "$scratch/elsewhere/Sundown.so"
cp "$throws" "$scratch/d/Sundown.so"
ln -s "$scratch/elsewhere/sub" "$scratch/d/link"
expect "a link before '..' leads where the system says: the file it opens is the one told" 0 \
  "plug-in file: $scratch/elsewhere/Sundown.so" \
  "$sim" --plugin "$scratch/d/link/../Sundown.so" "$scratch/show.sundown"

# Control bytes from a script or the plug-in are shown escaped on the timeline and in a FAILED
# line, never sent to the terminal.
printf 'set bedtime "\033[2J"\nexpect var bedtime "\033]0;x\007"\n' > "$scratch/escapes.sundown"
"$sim" --plugin "$plugin" "$scratch/escapes.sundown" > "$scratch/escapes.txt" 2>&1
if ! grep -q $'\033' "$scratch/escapes.txt" && grep -qF 'variable bedtime = \x1b[2J' "$scratch/escapes.txt" &&
  grep -qF 'FAILED: expected bedtime = \x1b]0;x\x07, saw \x1b[2J' "$scratch/escapes.txt"; then
  echo "ok: control bytes are shown escaped"
else
  echo "FAILED: control bytes are shown escaped: $(cat -v "$scratch/escapes.txt")"
  failures=$((failures + 1))
fi

# A plug-in that closes the output: the status says the timeline was not written, and the watching
# parent says why, since the play cannot.
if [ -e "$fixtures/libfixture-closes-output.so" ]; then
  expect "a plug-in that closes the output: exit 3 with the reason" 3 \
    "sundown-sim: cannot write the timeline to standard output" \
    "$sim" --plugin "$fixtures/libfixture-closes-output.so" "$scratch/show.sundown"
fi

# A script's pictures stay in its folder: no absolute path, no '..', no folder that links out of
# it, and never through a link planted under the picture's name.
mkdir -p "$scratch/shared"
ln -s /tmp "$scratch/shared/out"
ln -s "$scratch/victim.png" "$scratch/shared/planted.png"
for picture in "$scratch/sundown-abs.png" ../up.png out/sundown-out.png; do
  printf 'snapshot %s\n' "$picture" > "$scratch/shared/leave.sundown"
  expect "a picture at '$picture' is refused" 2 "would land outside the script's folder" \
    "$sim" --plugin "$plugin" "$scratch/shared/leave.sundown"
done
[ ! -e /tmp/sundown-out.png ] || { echo "FAILED: a picture went through the link"; failures=$((failures + 1)); }
printf 'settings open\nwait 100ms\nsnapshot planted.png\n' > "$scratch/shared/planted.sundown"
"$sim" --plugin "$plugin" "$scratch/shared/planted.sundown" > "$scratch/planted.txt" 2>&1
status=$?
if [ -e "$scratch/victim.png" ] || { [ "$status" != 3 ] && ! grep -qF "takes no pictures" "$scratch/planted.txt"; }; then
  echo "FAILED: a picture is never written through a link: status $status, $(cat "$scratch/planted.txt")"
  failures=$((failures + 1))
else
  echo "ok: a picture is never written through a link"
fi

# The event log never empties the script or the plug-in, and a FIFO that no one reads is said to be
# so at once.
cp "$scratch/show.sundown" "$scratch/kept.sundown"
expect "--events naming the script is refused" 2 "--events names the script itself" \
  "$sim" --plugin "$plugin" --events "$scratch/kept.sundown" "$scratch/kept.sundown"
cmp -s "$scratch/show.sundown" "$scratch/kept.sundown" ||
  { echo "FAILED: the script was emptied"; failures=$((failures + 1)); }
cp "$plugin" "$scratch/plugin-kept.so"
expect "--events naming the plug-in is refused" 2 "--events names the plug-in itself" \
  "$sim" --plugin "$scratch/plugin-kept.so" --events "$scratch/plugin-kept.so" "$scratch/show.sundown"
cmp -s "$plugin" "$scratch/plugin-kept.so" ||
  { echo "FAILED: the plug-in was emptied"; failures=$((failures + 1)); }
mkfifo "$scratch/no-reader"
expect "--events to a FIFO that no one reads: exit 3 at once" 3 "no one reads it" \
  timeout 30 "$sim" --plugin "$plugin" --events "$scratch/no-reader" "$scratch/show.sundown"

# What the plug-in starts ends with the play: a sleeper in a session of its own neither outlives
# sundown-sim nor holds up the reader of its output.
if [ -e "$fixtures/libfixture-forks-away.so" ]; then
  start=$SECONDS
  # The sleeper inherits a mark of this run, so that another test's sleepers, run side by side,
  # are neither counted nor ended here.
  mark="SUNDOWN_SLEEPER_OF=sim-$$"
  env "$mark" "$sim" --plugin "$fixtures/libfixture-forks-away.so" --quiet \
    "$scratch/show.sundown" | cat > "$scratch/forks-away.txt"
  sleep 0.3
  endMarkedSleepers "$mark"
  if [ "$left" = 0 ] && ((SECONDS - start < 20)) && grep -qF "1 passed" "$scratch/forks-away.txt"; then
    echo "ok: what the plug-in started ends with the play"
  else
    echo "FAILED: what the plug-in started ends with the play: $left left, $((SECONDS - start)) s"
    failures=$((failures + 1))
  fi
fi

exit $((failures > 0))
