#!/usr/bin/env bash
# Installs what building and testing Sundown needs on Debian 12, where it is missing.
# With "windows", also what the cross-built Sundown.dll and its tests under Wine need: MinGW-w64
# for the GCC ABI; clang-cl, lld-link, LLVM's tools and Wine's headers and DLLs for the Visual
# C++ ABI.
set -euo pipefail
packages=(cmake ninja-build g++ clang libclang-rt-14-dev pkg-config libimgui-dev libosmesa6-dev
  libgtest-dev libbenchmark-dev googletest time libstb-dev procps python3)
if [ "${1:-}" = windows ]; then
  packages+=(g++-mingw-w64-x86-64 wine64 wine clang-tools-14 lld-14 llvm-14 libwine-dev)
fi
missing=()
for package in "${packages[@]}"; do
  dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
done
# The tests check the CI workflow with a validator from the npm registry: npm, unless the machine
# has its own.
command -v npm >/dev/null 2>&1 || missing+=(nodejs npm)
if ((${#missing[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}" >/dev/null
fi
