#!/usr/bin/env bash
# The host's Dear ImGui is named alike everywhere it is pinned: the source the builds here use
# (../shared/imgui: its tarball, checksum, tag and commit), the presets that build against it
# (msvc-abi and host-imgui through host-layout, and the field build's windows-msvc), and the field
# build's workflow, which takes it by its commit. Usage: imgui-pin.sh SOURCE_DIR IMGUI_DIR
set -uo pipefail
source_dir="$1" imgui_dir="$2"
# shellcheck source=expect.sh
source "$(dirname "$0")/expect.sh"

if [ ! -d "$imgui_dir" ]; then
  echo "SKIPPED: no '$imgui_dir' beside the checkout: the host's Dear ImGui is not here to check"
  exit 77
fi
readme="$imgui_dir/README.md"
presets="$source_dir/CMakePresets.json"
workflow="$source_dir/.github/workflows/windows-msvc.yml"
for file in "$readme" "$presets" "$workflow"; do
  [ -f "$file" ] || { echo "FAILED: '$file' is missing"; exit 1; }
done
tag="$(grep -oE 'at tag v[0-9][0-9A-Za-z.]*' "$readme" | head -1 | sed 's/at tag v//')"
commit="$(grep -oE '\b[0-9a-f]{40}\b' "$readme" | head -1)"
digest="$(grep -oE 'SHA-256 of the tarball: [0-9a-f]{64}' "$readme" | sed 's/.*: //')"
[ -n "$tag" ] && [ -n "$commit" ] && [ -n "$digest" ] || {
  echo "FAILED: $readme names no tag, commit or checksum"; exit 1; }
echo "ok: $readme names v$tag, commit $commit"

tarball="$imgui_dir/imgui-$tag.tar.xz"
expect "the tarball of v$tag is there, with the checksum its README gives" 0 "$digest" \
  sha256sum "$tarball"
# Every preset that names a Dear ImGui version for the host's layout names this one.
while IFS= read -r version; do
  expect "a preset of the host's layout names $version, which is v$tag" 0 "" test "$version" = "$tag"
done < <(grep -B1 -A1 '"SUNDOWN_IMGUI_BUTTON_INDEX": "22"' "$presets" |
  grep -oE '"SUNDOWN_IMGUI_VERSION": "[^"]*"' | sed -E 's/.*: "([^"]*)"/\1/')
expect "host-layout names v$tag" 0 "\"SUNDOWN_IMGUI_VERSION\": \"$tag\"" \
  grep -A4 '"name": "host-layout"' "$presets"
expect "windows-msvc names v$tag" 0 "\"SUNDOWN_IMGUI_VERSION\": \"$tag\"" \
  grep -A16 '"name": "windows-msvc"' "$presets"
expect "the workflow takes Dear ImGui by commit $commit" 0 "ref: $commit" \
  grep -F "ref: $commit" "$workflow"
expect "the workflow's own note of the commit is the same" 0 "SUNDOWN_IMGUI_COMMIT: $commit" \
  grep -F "SUNDOWN_IMGUI_COMMIT: $commit" "$workflow"
expect "the workflow hands the configure the checkout of v$tag" 0 "imgui-$tag" \
  grep -F "DSUNDOWN_IMGUI_SOURCE=\${{ github.workspace }}/imgui-$tag" "$workflow"
expect "the workflow takes no Dear ImGui from vcpkg" 1 "" grep -F '"imgui"' "$source_dir/vcpkg.json"

if ((failures > 0)); then
  echo "$failures of the pins disagree"
  exit 1
fi
echo "every pin names Dear ImGui v$tag ($commit)"
