#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds everything and runs every test.
# Extra arguments go to CMake (for example -DKESTROVA_SANITIZE=ON).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${KESTROVA_BUILD_DIR:-build}"
bash scripts/install-deps.sh
cmake -S . -B "$build_dir" -G Ninja "$@"
cmake --build "$build_dir"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build_dir" --output-on-failure --timeout 300
