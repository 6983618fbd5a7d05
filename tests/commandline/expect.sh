# shellcheck shell=bash
# Sourced by the command-line tests: runs a command as a user would and counts what went wrong.
failures=0

# expect NAME STATUS TEXT COMMAND...: COMMAND ends with STATUS and says TEXT.
expect() {
  expectOutput -F "$@"
}

# expectMatch NAME STATUS PATTERN COMMAND...: COMMAND ends with STATUS and prints a line matching
# the extended regular expression PATTERN.
expectMatch() {
  expectOutput -E "$@"
}

expectOutput() {
  local how="$1" name="$2" status="$3" text="$4"
  shift 4
  local output
  output="$("$@" 2>&1)"
  local got=$?
  if [ "$got" != "$status" ] || ! grep -q "$how" -- "$text" <<<"$output"; then
    echo "FAILED: $name: status $got (expected $status), output:"
    head -c 2000 <<<"$output"
    echo
    failures=$((failures + 1))
  else
    echo "ok: $name"
  fi
}

# markedSleepers MARK: the fixtures' sleepers ("sleep 31.4159") that inherited MARK (NAME=VALUE)
# in their environment. Another test's sleepers, run side by side, carry another mark.
markedSleepers() {
  local mark="$1" sleeper
  for sleeper in $(pgrep -f "sleep 31.4159"); do
    tr '\0' '\n' < "/proc/$sleeper/environ" 2> /dev/null | grep -qxF "$mark" && echo "$sleeper"
  done
  return 0
}

# endMarkedSleepers MARK: ends the sleepers that inherited MARK, and sets `left` to how many
# there were.
endMarkedSleepers() {
  local ours=()
  mapfile -t ours < <(markedSleepers "$1")
  left="${#ours[@]}"
  ((left == 0)) || kill -9 "${ours[@]}" 2> /dev/null
  return 0
}

# workOf PID: the process that does a tool's work under the keeper the launcher started (its
# only child); empty until it runs.
workOf() {
  pgrep -P "$1" 2> /dev/null | head -1
}
