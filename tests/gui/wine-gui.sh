#!/usr/bin/env bash
# Wine with a display, for the tests of the Win32 window: a virtual X display and a
# Wine prefix of their own, whose desktop is started on that display (the build's
# other prefix may have started its desktop without one).
#   wine-gui.sh start DIR        starts Xvfb on a free display and the prefix's wineserver
#   wine-gui.sh stop DIR         ends both
#   wine-gui.sh run DIR PROGRAM  runs a Windows program there, code page 936
set -u
dir=$(cd "$2" && pwd)
export WINEPREFIX="$dir/wineprefix-gui"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8

start_xvfb() {
  for n in $(seq 71 99); do
    [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ] && continue
    Xvfb :$n -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
    echo $! >"$dir/xvfb.pid"
    for _ in $(seq 50); do
      [ -e /tmp/.X11-unix/X$n ] && { echo ":$n" >"$dir/xvfb.display"; return 0; }
      sleep 0.1
    done
    kill "$(cat "$dir/xvfb.pid")" 2>/dev/null
  done
  return 1
}

case "$1" in
  start)
    start_xvfb || exit 1
    export DISPLAY=$(cat "$dir/xvfb.display")
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || exit 1
    # There is no window manager on the display: without this, Wine waits two
    # seconds for one whenever a window is hidden or destroyed.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -p
    ;;
  stop)
    wineserver -k 2>/dev/null
    [ -f "$dir/xvfb.pid" ] && kill "$(cat "$dir/xvfb.pid")" 2>/dev/null
    rm -f "$dir/xvfb.pid" "$dir/xvfb.display"
    ;;
  run)
    shift 2
    DISPLAY=$(cat "$dir/xvfb.display") exec wine "$@"
    ;;
  *)
    exit 2
    ;;
esac
exit 0
