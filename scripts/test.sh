#!/usr/bin/env bash
# Builds Sundown and runs every test: the plain, sanitizer and optimised builds (the last also
# builds the benchmarks), the optimised build against the host's Dear ImGui (1.92.9b, from
# ../shared/imgui), the Windows DLL of each C++ ABI under Wine, then a short run of each fuzz
# target.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh windows
# A test program Wine failed to start is started once more (cmake/wine-run-gtest.sh.in); each
# time is told here, where a passing run would hide it.
toldWineRestarts() {
  if [ -s "$1/wine-restarts.log" ]; then
    echo "test.sh: Wine failed to start these test programs once; their second start counted:" >&2
    cat -- "$1/wine-restarts.log" >&2
  fi
}
presets=(ci ci-asan release)
# The host's Dear ImGui is built from its source beside the checkout, which CI has.
if [ -e ../shared/imgui ] || [ -n "${SUNDOWN_IMGUI_SOURCE:-}" ]; then
  presets+=(host-imgui)
else
  echo "test.sh: SKIPPED the host-imgui build: no Dear ImGui source at ../shared/imgui; set" \
    "SUNDOWN_IMGUI_SOURCE to imgui-1.92.9b.tar.xz to run it." >&2
fi
for preset in "${presets[@]}"; do
  cmake --preset "$preset" ${SUNDOWN_IMGUI_SOURCE:+-DSUNDOWN_IMGUI_SOURCE="$SUNDOWN_IMGUI_SOURCE"} \
    >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
# Sundown.dll: cross-built for 64-bit Windows and tested under Wine.
cmake --preset mingw >/dev/null
cmake --build --preset mingw
rm -f build/mingw/wine-restarts.log
ctest --preset mingw -j2
toldWineRestarts build/mingw
# Sundown.dll with the Visual C++ ABI, the one the host loads: clang-cl against Microsoft's
# standard library headers, which no Debian package has. They come from SUNDOWN_MSVC_STL, or
# from ../shared/msvc-probe when that folder is there.
stl="${SUNDOWN_MSVC_STL:-$(cd .. && pwd)/shared/msvc-probe}"
if [ -e "$stl" ]; then
  cmake --preset msvc-abi -DSUNDOWN_MSVC_STL="$stl" \
    ${SUNDOWN_IMGUI_SOURCE:+-DSUNDOWN_IMGUI_SOURCE="$SUNDOWN_IMGUI_SOURCE"} >/dev/null
  cmake --build --preset msvc-abi
  rm -f build/msvc-abi/wine-restarts.log
  ctest --preset msvc-abi -j2
  toldWineRestarts build/msvc-abi
else
  echo "test.sh: SKIPPED the msvc-abi build (Sundown.dll with the Visual C++ ABI): no Microsoft" \
    "standard library headers at '$stl'. Get microsoft/STL at tag vs-2022-17.4 and set" \
    "SUNDOWN_MSVC_STL to that folder to run it." >&2
fi
bash scripts/fuzz.sh 20
