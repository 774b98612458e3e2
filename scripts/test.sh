#!/usr/bin/env bash
# The one test command: installs what is missing, configures and builds every
# preset (the native tests also under ASan and UBSan) and runs all their
# tests, the Windows ones under Wine on a private Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

werror=OFF
[ "${CI:-}" = true ] && werror=ON
presets=(host host-sanitize mingw-x86 mingw-x64)

for p in "${presets[@]}"; do
  cmake --preset "$p" -DDEVICELIST_WERROR="$werror" >/dev/null
  cmake --build --preset "$p"
done

source scripts/xvfb.sh
status=0
for p in "${presets[@]}"; do
  echo "== tests: $p"
  ctest --preset "$p" -j2 || status=1
done
echo "== release packages"
bash scripts/package.sh --check || status=1
exit $status
