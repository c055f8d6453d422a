#!/usr/bin/env bash
# Installs what the builds need, builds both builds, and shows what they hold.
# The lookups themselves are not built yet: for now this lists the test programs'
# cases, natively and under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
for preset in linux windows; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done

for program in out/linux/tests/*_tests; do
  echo "=== $program (Linux) ==="
  "$program" --gtest_list_tests
done

wine_run=out/windows/wine-run.sh
"$wine_run" --start
trap '"$wine_run" --stop' EXIT
for program in out/windows/tests/*_tests.exe; do
  echo "=== $program (Windows, under Wine) ==="
  "$wine_run" "$program" --gtest_list_tests
done
