#!/usr/bin/env bash
# Builds the Windows release and its packages: the installer
# out/windows-release/packages/Trakvel-VERSION-setup.exe and the portable zip
# beside it. With --test, also installs, starts and uninstalls it under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset windows-release >/dev/null
cmake --build --preset windows-release
ls -l out/windows-release/packages/*.exe out/windows-release/packages/*.zip

if [ "${1:-}" = --test ]; then
  gui=tests/gui/wine-gui.sh build=out/windows-release
  "$gui" start "$build"
  trap '"$gui" stop "$build"' EXIT
  bash packaging/install-test.sh "$gui" "$build" out/windows-release/packages/Trakvel-*-setup.exe
fi
