#!/usr/bin/env bash
# Installs what the builds need, then builds and tests every flavour: the native
# build, the native build under AddressSanitizer and UndefinedBehaviorSanitizer,
# and the Windows build, whose test programs run under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
for preset in linux sanitize windows; do
  echo "=== $preset ==="
  cmake --workflow --preset "$preset"
done
