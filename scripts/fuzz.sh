#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz preset: clang, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for SECONDS (default 30), keeping each
# corpus in out/fuzz/corpus; prints the runs each made. Fails on the first finding.
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-30}
shift || true
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
targets=("$@")
if ((${#targets[@]} == 0)); then
  for program in out/fuzz/fuzz/fuzz_*; do [ -x "$program" ] && targets+=("${program##*/fuzz_}"); done
fi
for name in "${targets[@]}"; do
  corpus=out/fuzz/corpus/$name
  mkdir -p "$corpus"
  log=out/fuzz/$name.log
  if ! out/fuzz/fuzz/fuzz_"$name" -max_total_time="$seconds" -rss_limit_mb=1024 \
    -artifact_prefix=out/fuzz/"$name"- "$corpus" >"$log" 2>&1; then
    tail -40 "$log"
    echo "fuzz $name: FAILED (see $log)"
    exit 1
  fi
  echo "fuzz $name: $(grep -o 'Done [0-9]* runs in [0-9]* second(s)' "$log")"
done
