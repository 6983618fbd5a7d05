#!/usr/bin/env bash
# The same source built in two folders gives the same Sundown.dll, byte for byte: copies the
# checkout's files into two folders of different names, configures each with the same preset and
# the same settings, builds the plug-in alone, and compares. Usage:
#   reproducible.sh SOURCE_DIR WORK_DIR PRESET [CMAKE_ARGUMENT...]
set -uo pipefail
source_dir="$1" work="$2" preset="$3"
shift 3

rm -rf -- "$work"
mkdir -p "$work"
build() {
  local tree="$1"
  # The files of the checkout as they stand, not its builds.
  mkdir -p "$tree"
  (cd "$source_dir" && git ls-files -z --cached --others --exclude-standard) |
    (cd "$source_dir" && xargs -0 cp --parents -t "$tree") || return 1
  (cd "$tree" && timeout 1200 cmake --preset "$preset" -DSUNDOWN_BUILD_TESTS=OFF \
    -DSUNDOWN_BUILD_BENCH=OFF "$@" > "$tree.configure.log" 2>&1) || {
    echo "FAILED: configuring $tree:"; tail -20 "$tree.configure.log"; return 1; }
  (cd "$tree" && timeout 1200 cmake --build --preset "$preset" --target Sundown \
    > "$tree.build.log" 2>&1) || {
    echo "FAILED: building $tree:"; tail -20 "$tree.build.log"; return 1; }
}
build "$work/one" "$@" || exit 1
build "$work/the-second-checkout" "$@" || exit 1
first=("$work"/one/build/"$preset"/bin/Sundown.*)
second=("$work"/the-second-checkout/build/"$preset"/bin/Sundown.*)
if [ ! -f "${first[0]}" ] || [ ! -f "${second[0]}" ]; then
  echo "FAILED: no plug-in library was built"
  exit 1
fi
if ! cmp -- "${first[0]}" "${second[0]}"; then
  echo "FAILED: $(basename "${first[0]}") differs between two folders of the same source"
  exit 1
fi
# A library that names either folder could not have come out the same; say so all the same.
if grep -qF -e "$work/one" -e "$work/the-second-checkout" -- "${first[0]}"; then
  echo "FAILED: $(basename "${first[0]}") names the folder it was built in"
  exit 1
fi
echo "ok: $(basename "${first[0]}") is the same, byte for byte, built in two folders" \
  "($(stat -c %s -- "${first[0]}") bytes)"
rm -rf -- "$work"
