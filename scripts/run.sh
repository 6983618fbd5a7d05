#!/usr/bin/env bash
# Builds Sundown and plays the built-in default scenario: an evening of play, simulated.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release >/dev/null
exec build/release/bin/sundown-sim "$@"
