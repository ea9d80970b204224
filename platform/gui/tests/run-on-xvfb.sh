#!/usr/bin/env bash
# run-on-xvfb.sh COMMAND...: runs COMMAND on a virtual X server of its own
# (96 dots per inch, as the dialogs are measured) with openbox managing the
# windows, and exits with its status.
set -euo pipefail
export NO_AT_BRIDGE=1 GDK_BACKEND=x11 GSETTINGS_BACKEND=memory
exec xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" bash -c '
  openbox >/dev/null 2>&1 &
  wm=$!
  sleep 0.5
  status=0
  "$@" || status=$?
  kill "$wm" 2>/dev/null || true
  exit "$status"' run-on-xvfb "$@"
