#!/usr/bin/env bash
# Builds both builds and prints every benchmark figure (docs/PERFORMANCE.md). The
# trace extraction runs through every engine: the built-in one natively, and under
# Wine both the VBScript component and the built-in fallback.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset linux >/dev/null
cmake --build --preset linux --target trakvel trakvel-standin page_bench trace_bench window_bench
cmake --preset windows >/dev/null
cmake --build --preset windows --target trace_bench

out/linux/bench/page_bench
out/linux/bench/trace_bench

# Wine's own services go on starting for a while after the prefix is up; the
# batch benchmarks, bound by the stand-in's latency, run meanwhile.
wine=out/windows/wine-run.sh
"$wine" --start
trap '"$wine" --stop' EXIT
out/linux/bench/window_bench
python3 bench/batch_bench.py out/linux

# Wine's server keeps the program's output pipe open; read the output from a file.
for engine in vbscript builtin; do
  TRAKVEL_REGEX_ENGINE=$engine "$wine" out/windows/bench/trace_bench.exe </dev/null \
    >out/windows/trace_bench.txt 2>&1
  sed 's/^/windows build under Wine: /' out/windows/trace_bench.txt
done
