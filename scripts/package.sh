#!/usr/bin/env bash
# Makes dist/DeviceList-<version>-x86.zip and -x64.zip: DeviceList.exe, the
# README, the licence, and the stand-in library in demo/. Byte for byte the
# same from the same commit: file times come from the commit, the linker
# writes no timestamp, and the zip holds no owner or extra fields.
#   package.sh          build fresh release trees and write dist/
#   package.sh --check  do that twice in separate trees and compare
set -euo pipefail
cd "$(dirname "$0")/.."

version=$(sed -n 's/^project(DeviceList VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
epoch=$(git log -1 --format=%ct 2>/dev/null || echo 315532800)

# package TREE OUTDIR: builds both bitnesses under TREE, zips into OUTDIR.
package() {
  local tree=$1 out=$2 arch toolchain
  mkdir -p "$out"
  for arch in x86 x64; do
    toolchain=cmake/mingw-i686.cmake
    [ "$arch" = x64 ] && toolchain=cmake/mingw-x86_64.cmake
    cmake -S . -B "$tree/$arch" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$toolchain" >/dev/null
    cmake --build "$tree/$arch" --target DeviceList TarvikStandin >/dev/null

    local stage="$tree/stage-$arch" name="DeviceList-$version-$arch"
    rm -rf "$stage"
    mkdir -p "$stage/$name/demo"
    cp "$tree/$arch/src/window/DeviceList.exe" README.md LICENSE "$stage/$name/"
    cp "$tree/$arch/standin/Tarvik.DLL" "$stage/$name/demo/"
    cat >"$stage/$name/demo/README.txt" <<TXT
Demo only: a stand-in Tarvik.DLL that answers a fixed table of devices, so
that DeviceList can be tried without the real device library. Copy it beside
DeviceList.exe to try it; it is not the real library.
TXT
    find "$stage" -exec touch -h -d "@$epoch" {} +
    find "$stage" -type f -exec chmod 644 {} +
    find "$stage" -type d -exec chmod 755 {} +
    rm -f "$out/$name.zip"
    (cd "$stage" && find "$name" -type f | LC_ALL=C sort | TZ=UTC zip -X -D -q "$OLDPWD/$out/$name.zip" -@)
  done
}

if [ "${1:-}" = "--check" ]; then
  rm -rf build/release-a build/release-b
  package build/release-a build/release-a/dist
  package build/release-b build/release-b/dist
  for f in build/release-a/dist/*.zip; do
    if ! cmp -s "$f" "build/release-b/dist/$(basename "$f")"; then
      echo "package: $(basename "$f") differs between two builds" >&2
      exit 1
    fi
    echo "package: $(basename "$f") reproducible, sha256 $(sha256sum "$f" | cut -c1-16)"
  done
  exit 0
fi

rm -rf build/release
package build/release dist
ls -l dist/*.zip
