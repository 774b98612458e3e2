#!/usr/bin/env bash
# Runs a Windows program under Wine in a test prefix, making the prefix on
# first use: wine-run.sh PREFIX [--dpi N] PROGRAM [ARGS...]
# The prefix has no Mono/Gecko installers, no crash dialog, and a warm
# wineserver (stopped by `wine-run.sh PREFIX --stop`).
set -euo pipefail

prefix=$1
shift
dpi=96
if [ "${1:-}" = "--dpi" ]; then
  dpi=$2
  shift 2
fi

export WINEPREFIX=$prefix
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

if [ "${1:-}" = "--stop" ]; then
  [ -d "$prefix" ] && wineserver -k 2>/dev/null || true
  exit 0
fi

mkdir -p "$(dirname "$prefix")"
(
  flock 9
  if [ ! -f "$prefix/.ready" ]; then
    rm -rf "$prefix"
    # Wine's own processes outlive this call: none of them may hold the lock.
    wineboot -i >/dev/null 2>&1 </dev/null 9>&-
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 </dev/null 9>&-
    # Wine draws the caption itself: Xvfb has no window manager to do it.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1 </dev/null 9>&-
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 </dev/null 9>&-
    wineserver -w 9>&-
    touch "$prefix/.ready"
  fi
) 9>"$prefix.lock"

wineserver -p >/dev/null 2>&1 </dev/null || true
# The program's output goes through a file: Wine's helper processes, which
# stay up with the server, must not hold the caller's pipes open (ctest
# would wait for them).
out=$(mktemp)
rc=0
wine "$@" >"$out" 2>&1 </dev/null || rc=$?
cat "$out"
rm -f "$out"
exit $rc
