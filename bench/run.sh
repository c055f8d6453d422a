#!/usr/bin/env bash
# Builds the native build and prints every benchmark figure (docs/PERFORMANCE.md).
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset linux >/dev/null
cmake --build --preset linux --target trakvel trakvel-standin page_bench window_bench
out/linux/bench/page_bench
out/linux/bench/window_bench
python3 bench/batch_bench.py out/linux
