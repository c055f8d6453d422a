#!/usr/bin/env bash
# Installs what the builds need, then builds and tests every flavour: the native
# build, the native build under AddressSanitizer and UndefinedBehaviorSanitizer,
# the native build under ThreadSanitizer,
# and the Windows build, whose test programs run under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
for preset in linux sanitize tsan windows; do
  echo "=== $preset ==="
  cmake --workflow --preset "$preset"
done

# The fault run at a reduced size: every row must match what the stand-in served.
echo "=== fault run ==="
bash scripts/fault-run.sh 300

# The libFuzzer targets, 30 seconds each.
echo "=== fuzz ==="
bash scripts/fuzz.sh 30
