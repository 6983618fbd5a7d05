#!/usr/bin/env bash
# The repository's CI workflows, checked as the ecosystem checks them: each is valid for the
# workflow schema (action-validator, pinned in tests/workflow), and every preset it names exists.
# The validator is installed from the npm registry into a folder of the build's, within a time
# limit. Usage: workflow.sh SOURCE_DIR WORK_DIR
set -uo pipefail
source_dir="$1" work="$2"
# shellcheck source=expect.sh
source "$(dirname "$0")/expect.sh"

mkdir -p "$work"
cp "$source_dir/tests/workflow/package.json" "$source_dir/tests/workflow/package-lock.json" "$work/"
if ! (cd "$work" && timeout 300 npm ci --no-audit --no-fund --ignore-scripts > npm.log 2>&1); then
  echo "FAILED: the workflow validator could not be installed from the npm registry:"
  tail -20 "$work/npm.log"
  exit 1
fi
validator="$work/node_modules/.bin/action-validator"

workflows=("$source_dir"/.github/workflows/*.yml)
[ -e "${workflows[0]}" ] || { echo "FAILED: no workflow in .github/workflows"; exit 1; }
for workflow in "${workflows[@]}"; do
  expect "$(basename "$workflow") is a valid workflow" 0 "" timeout 60 "$validator" "$workflow"
  # Every preset a step names is one of CMakePresets.json's.
  while IFS= read -r preset; do
    expect "$(basename "$workflow") names the preset '$preset', which exists" 0 "\"$preset\"" \
      grep -F "\"name\": \"$preset\"" "$source_dir/CMakePresets.json"
  done < <(grep -oE -- '--preset[ =]+[A-Za-z0-9_-]+' "$workflow" | sed -E 's/--preset[ =]+//' | sort -u)
done

# The validator finds a workflow that is not one.
printf 'name: broken\non: push\njobs:\n  build:\n    runs-on: ubuntu-latest\n    stepz:\n      - run: true\n' \
  > "$work/broken.yml"
expect "a broken workflow is refused" 1 "Additional property 'stepz' is not allowed" \
  timeout 60 "$validator" "$work/broken.yml"

if [ "$failures" -gt 0 ]; then
  echo "$failures failed"
  exit 1
fi
echo "all passed"
