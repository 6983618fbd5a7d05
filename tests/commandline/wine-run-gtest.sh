#!/usr/bin/env bash
# The runner of test programs under Wine, over a stand-in for Wine: a program that failed having
# printed nothing is started once more and told; any other result is the program's own, unchanged.
# Usage: wine-run-gtest.sh SOURCE_DIR
set -uo pipefail
source="$1"
# shellcheck source=expect.sh
source "$(dirname "$0")/expect.sh"
build="$(mktemp -d "${TMPDIR:-/tmp}/wine-run-gtest-test.XXXXXXXX")"
trap 'rm -rf -- "$build"' EXIT
sed "s#@CMAKE_BINARY_DIR@#$build#g" "$source/cmake/wine-run-gtest.sh.in" >"$build/runner.sh"
# Wine's stand-in: fails silently at its first start when told to, then runs the "program" given.
cat >"$build/wine-run.sh" <<'SCRIPT'
#!/usr/bin/env bash
here="$(dirname "$0")"
echo start >>"$here/starts"
if [ -e "$here/fail-first" ]; then
  rm -f -- "$here/fail-first"
  exit 5
fi
case "$1" in
  passes) echo "[  PASSED  ] 1 test."; exit 0 ;;
  fails) echo "[  FAILED  ] 1 test."; echo "why" >&2; exit 1 ;;
  says-nothing) exit 0 ;;
  crashes-silently) exit 3 ;;
esac
SCRIPT
chmod +x "$build/runner.sh" "$build/wine-run.sh"
# The runner's own files go here, to be seen gone.
mkdir "$build/tmp"
export TMPDIR="$build/tmp"

# fresh [fail-first]: a new run of the stand-in, told to fail its first start or not.
fresh() {
  rm -f -- "$build/starts" "$build/wine-restarts.log" "$build/fail-first"
  [ "${1:-}" = fail-first ] && touch "$build/fail-first"
  return 0
}
starts() { wc -l <"$build/starts" 2>/dev/null || echo 0; }
# checkStarts NAME COUNT: the stand-in was started COUNT times.
checkStarts() {
  if [ "$(starts)" -ne "$2" ]; then
    echo "FAILED: $1: started $(starts) times (expected $2)"
    failures=$((failures + 1))
  fi
}

fresh fail-first
expect "a program Wine failed to start passes at its second start" 0 "[  PASSED  ] 1 test." \
  "$build/runner.sh" passes
checkStarts "once more after a silent failure" 2
grep -q "passes failed with 5 having printed nothing; started once more" "$build/wine-restarts.log" \
  || { echo "FAILED: the restart is not in wine-restarts.log"; failures=$((failures + 1)); }

fresh fail-first
expect "the second start's failure is the test's" 1 "why" "$build/runner.sh" fails
checkStarts "a failing second start is not started again" 2

fresh
expect "a failure that printed is the program's own" 1 "[  FAILED  ] 1 test." \
  "$build/runner.sh" fails
checkStarts "a failure that printed is not started again" 1
[ ! -e "$build/wine-restarts.log" ] \
  || { echo "FAILED: a restart told where none was"; failures=$((failures + 1)); }

fresh
expect "a program that fails silently every time still fails" 3 "started once more" \
  "$build/runner.sh" crashes-silently
checkStarts "a silent failure is started once more, and only once" 2

fresh
expect "a silent success is a success, started once" 0 "" "$build/runner.sh" says-nothing
checkStarts "a silent success is not started again" 1

leftover="$(ls -A "$TMPDIR")"
[ -z "$leftover" ] || { echo "FAILED: the runner left $leftover"; failures=$((failures + 1)); }

exit $((failures > 0))
