#!/usr/bin/env bash
# Builds the installer and the portable zip from the Windows build's files.
#   make-packages.sh OUT_DIR VERSION ICON SOURCE=NAME...
# Each SOURCE is copied as NAME into OUT_DIR/Trakvel (programs stripped), which is
# zipped as is and installed by trakvel.nsi. STRIP and MAKENSIS name the tools.
set -euo pipefail
out=$1 version=$2 icon=$3
shift 3
here=$(cd "$(dirname "$0")" && pwd)

stage="$out/Trakvel"
rm -rf "$stage"
mkdir -p "$stage"
for file in "$@"; do
  source=${file%=*} name=${file##*=}
  cp "$source" "$stage/$name"
  # The skin library is linked stripped, and the program carries it byte for byte.
  case "$name" in *.exe) "${STRIP:-strip}" "$stage/$name" ;; esac
done

"${MAKENSIS:-makensis}" -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DSTAGE="$stage" -DICON="$icon" \
  -DOUT_FILE="$out/Trakvel-$version-setup.exe" "$here/trakvel.nsi"

zip_file="$out/Trakvel-$version-portable.zip"
rm -f "$zip_file"
(cd "$out" && zip -q -r -X "$zip_file" Trakvel)
