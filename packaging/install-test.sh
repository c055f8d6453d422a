#!/usr/bin/env bash
# Installs Trakvel silently under Wine, starts the installed program and waits for
# its window, then uninstalls silently and checks that nothing is left.
#   install-test.sh WINE_GUI BUILD_DIR INSTALLER
# WINE_GUI is tests/gui/wine-gui.sh; its fixture has started the display and prefix.
set -u
wine_gui=$1 build=$(cd "$2" && pwd) installer=$3
export WINEPREFIX="$build/wineprefix-gui" WINEDEBUG=-all
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
export DISPLAY=$(cat "$build/xvfb.display")
dir="$WINEPREFIX/drive_c/Program Files/Trakvel"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Trakvel"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Trakvel'
program=

fail() {
  echo "FAIL: $*"
  [ -n "$program" ] && kill "$program" 2>/dev/null
  exit 1
}

# Polls a condition for up to 30 s.
wait_until() {
  for _ in $(seq 300); do
    eval "$1" && return 0
    sleep 0.1
  done
  return 1
}

# What an earlier, interrupted run left would make the checks meaningless.
rm -rf "$dir" "$menu"

"$wine_gui" run "$build" "$installer" /S || fail "installer exited with $?"
for file in Trakvel.exe trakvel-cli.exe SkinH_EL.dll FlatXP.she trakvel.ini.sample uninstall.exe; do
  [ -f "$dir/$file" ] || fail "not installed: $file"
done
[ -f "$menu/Trakvel.lnk" ] || fail "no Start menu entry"
wine reg query "$uninstall_key" /v UninstallString >/dev/null 2>&1 || fail "no uninstall entry"

# The installed carried files are hidden, so the program's own writes are refused,
# as in a directory it cannot write: it must start on the installed ones.
"$wine_gui" run "$build" "C:\\Program Files\\Trakvel\\Trakvel.exe" &
program=$!
wait_until 'xwininfo -root -tree 2>/dev/null | grep -aq "Trakvel1\.0"' ||
  fail "the installed program's window did not appear"
kill "$program"
wait "$program" 2>/dev/null
program=

# The uninstaller copies itself to the temporary folder and returns at once: wait
# for the last of its steps.
"$wine_gui" run "$build" "C:\\Program Files\\Trakvel\\uninstall.exe" /S || fail "uninstaller exited with $?"
wait_until '! wine reg query "$uninstall_key" >/dev/null 2>&1' || fail "uninstall entry left behind"
[ ! -e "$dir" ] || fail "left behind: $(ls -A "$dir" | tr '\n' ' ')"
[ ! -e "$menu" ] || fail "Start menu entry left behind"
echo "installed, started and uninstalled"
