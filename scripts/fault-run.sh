#!/usr/bin/env bash
# The fault run: looks up N made-up numbers (default 10000) at pause 0 against the
# stand-in with faults injected (seeded), then checks every row against what the
# stand-in served for its number and prints the counts of both sides.
# Usage: scripts/fault-run.sh [N] [SEED]; BUILD=out/NAME picks the build (out/linux).
set -euo pipefail
cd "$(dirname "$0")/.."

count=${1:-10000}
seed=${2:-7}
build=${BUILD:-out/linux}
timeout_ms=2000
work=$(mktemp -d)
standin=
stop_standin() {
  [ -n "$standin" ] && kill "$standin" 2>/dev/null && wait "$standin" 2>/dev/null
  standin=
}
trap 'stop_standin; rm -rf "$work"' EXIT

"$build/standin/trakvel-standin" --faults "$seed" --stall $((timeout_ms + 1500)) \
  >"$work/standin.out" 2>"$work/standin.err" &
standin=$!
for _ in $(seq 100); do
  grep -q '127\.0\.0\.1:' "$work/standin.out" && break
  sleep 0.1
done
host=$(grep -o '127\.0\.0\.1:[0-9]*' "$work/standin.out")

seq -f "FR%010g" "$count" >"$work/numbers.txt"
start=$(date +%s%N)
status=0
"$build/cli/trakvel" lookup --delay 0 --jobs 8 --timeout "$timeout_ms" \
  --main-host "$host" --mobile-host "$host" "$work/numbers.txt" >"$work/rows.txt" || status=$?
end=$(date +%s%N)
curl -s "http://$host/served" >"$work/served.txt"
stop_standin
echo "trakvel lookup: exit $status, $(((end - start) / 1000000)) ms for $count numbers"
[ "$status" -eq 0 ] || { echo "FAIL: trakvel lookup exited with $status"; exit 1; }

python3 scripts/fault_check.py "$work/numbers.txt" "$work/rows.txt" "$work/served.txt"
