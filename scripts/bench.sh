#!/usr/bin/env bash
# Benchmark under Wine (32-bit build): press latency and start-up as ratios
# to floors measured side by side in the same run, memory and GDI/USER
# objects after 1 and 10,000 presses, and each DeviceList.exe's size and
# imports. Prints a table, then one `name value` line per figure, and writes
# docs/benchmark.md.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh >/dev/null
for p in mingw-x86 mingw-x64; do
  cmake --preset "$p" >/dev/null
  cmake --build --preset "$p" >/dev/null
done
source scripts/xvfb.sh
b=build/mingw-x86
out=$(scripts/wine-run.sh "$PWD/$b/wine/prefix" "$b/tests/bench/bench.exe" run "$PWD/$b/src/window/DeviceList.exe")
scripts/wine-run.sh "$PWD/$b/wine/prefix" --stop

sizes=""
for arch in x86 x64; do
  exe=build/mingw-$arch/src/window/DeviceList.exe
  imports=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | sort | tr '\n' ' ')
  sizes+="exe_${arch}_bytes $(stat -c %s "$exe")"$'\n'
  echo "DeviceList.exe $arch: $(stat -c %s "$exe") bytes, imports $imports" >&2
done

table=$(printf '%s\n' "$out" | grep -v '^[a-z_]* [-0-9.]*$' || true)
figures=$(printf '%s\n%s' "$(printf '%s\n' "$out" | grep '^[a-z_]* [-0-9.]*$')" "${sizes%$'\n'}")
printf '%s\n%s\n' "$table" "$figures"
{
  echo "# Benchmark"
  echo
  echo "Latest run of \`bash scripts/bench.sh\`, $(date -u +%Y-%m-%d), on $(nproc) cores of $(uname -m) under $(wine --version)."
  echo
  echo '```'
  printf '%s\n%s\n' "$table" "$figures"
  echo '```'
} >docs/benchmark.md
