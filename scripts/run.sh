#!/usr/bin/env bash
# The main job: installs what the build needs, builds the native build, starts the
# local stand-in of the tracking service and looks up its sample parcels with
# "trakvel lookup", which runs the batch exactly as the window's query button does.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset linux >/dev/null
cmake --build --preset linux --target trakvel trakvel-standin

standin_out=$(mktemp)
out/linux/standin/trakvel-standin >"$standin_out" &
standin=$!
trap 'kill "$standin" 2>/dev/null; rm -f "$standin_out"' EXIT
for _ in $(seq 100); do
  grep -q '127\.0\.0\.1:' "$standin_out" && break
  sleep 0.1
done
cat "$standin_out"
host=$(grep -o '127\.0\.0\.1:[0-9]*' "$standin_out")

out/linux/standin/trakvel-standin --samples |
  out/linux/cli/trakvel lookup --delay 20 --timeout 5000 --main-host "$host" --mobile-host "$host" -
