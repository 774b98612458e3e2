#!/usr/bin/env bash
# Sourced: starts a private Xvfb, exports DISPLAY, and stops it on exit.
# Leaves an existing DISPLAY alone unless DEVICELIST_XVFB=1.
if [ -z "${DISPLAY:-}" ] || [ "${DEVICELIST_XVFB:-0}" = 1 ]; then
  xvfb_fifo=$(mktemp -u)
  mkfifo "$xvfb_fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$xvfb_fifo" >/dev/null 2>&1 &
  xvfb_pid=$!
  read -r xvfb_display <"$xvfb_fifo"
  rm -f "$xvfb_fifo"
  export DISPLAY=":$xvfb_display"
  trap 'kill $xvfb_pid 2>/dev/null; wait $xvfb_pid 2>/dev/null' EXIT
fi
