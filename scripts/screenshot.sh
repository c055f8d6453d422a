#!/usr/bin/env bash
# Renders a PNG of Trakvel's main window as people see it: the Windows build's
# program under Wine, inside a Wine virtual desktop (which draws the title bar) on
# a private Xvfb display.
#   scripts/screenshot.sh docs/window.png
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:?usage: scripts/screenshot.sh OUTPUT.png}
program=out/windows/app/Trakvel.exe
[ -f "$program" ] || { echo "build the Windows program first: cmake --build out/windows --target trakvel_gui" >&2; exit 1; }

work=$(mktemp -d)
export WINEPREFIX="$PWD/out/windows/wineprefix-screenshot"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
xvfb_pid=
cleanup() {
  wineserver -k 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

for n in $(seq 120 150); do
  [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ] || { display=:$n; break; }
done
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done

# The program writes its skin files beside itself: give it a directory of its own.
cp "$program" "$work/"
mkdir -p "$WINEPREFIX"
wineboot -i >/dev/null 2>&1
wine explorer /desktop=Trakvel,1280x800 "$work/Trakvel.exe" >/dev/null 2>&1 &

# The desktop is one X window and the program's window is drawn inside it: wait
# until the middle of the screen, inside the result list, has turned white.
for _ in $(seq 150); do
  pixel=$(import -window root -crop 1x1+640+400 txt:- 2>/dev/null | tail -1 || true)
  [[ $pixel == *"#FFFFFF"* ]] && break
  sleep 0.2
done
sleep 1  # the last repaints
mkdir -p "$(dirname "$out")"
# Outer size 1075 x 450, centred in the 1280 x 800 desktop; a margin of 8 pixels.
import -window root -crop 1091x466+94+167 +repage "$out"
echo "$out"
