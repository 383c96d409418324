#!/usr/bin/env bash
# Builds the benchmarks and prints their figures. Usage: bash bench/run.sh [rounds]
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DKESTROVA_BUILD_TESTS=OFF >/dev/null
cmake --build build-bench --target status_read_bench >/dev/null
echo "Full status read on the simulated device, wall time / prescribed waits (target <= 1.02):"
./build-bench/bench/status_read_bench "${1:-5}"
