#!/usr/bin/env bash
# Runs DeviceList on the stand-in library's demo table (32-bit build).
# With a display it opens the window; without one it runs on a private
# Xvfb, presses the button, prints both boxes and saves build/demo.png.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/mingw-x86
if [ ! -f "$build/tests/e2e/driver.exe" ]; then
  bash scripts/setup.sh
  cmake --preset mingw-x86 >/dev/null
  cmake --build --preset mingw-x86
fi
prefix=$PWD/$build/wine/prefix
exe=$PWD/$build/src/window/DeviceList.exe
dll=$PWD/$build/standin/Tarvik.DLL

if [ -n "${DISPLAY:-}" ]; then
  dir=$(mktemp -d)
  cp "$exe" "$dll" "$dir/"
  scripts/wine-run.sh "$prefix" "$dir/DeviceList.exe"
  rm -rf "$dir"
  exit 0
fi

source scripts/xvfb.sh
shot=$PWD/build/demo.bmp
DEVICELIST_SHOT="Z:${shot//\//\\}" scripts/wine-run.sh "$prefix" "$build/tests/e2e/driver.exe" demo \
  "$exe" "$dll" "$PWD/$build/standin/noexport/Tarvik.DLL"
convert "$shot" build/demo.png
rm -f "$shot"
scripts/wine-run.sh "$prefix" --stop
echo "screenshot: build/demo.png"
