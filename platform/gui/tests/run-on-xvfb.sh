#!/usr/bin/env bash
# run-on-xvfb.sh COMMAND...: runs COMMAND on a virtual X server of its own
# (96 dots per inch, as the dialogs are measured) with fluxbox managing the
# windows, and exits with its status. fluxbox frames a window as the window
# asks (the Motif hints: which boxes, whether it resizes), as the desktops
# people use do; its titles are drawn in the Japanese gothic.
set -euo pipefail
export NO_AT_BRIDGE=1 GDK_BACKEND=x11 GSETTINGS_BACKEND=memory
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
# A bare desktop: no toolbar, no wallpaper, one workspace, the boxes on
# the right of the title.
cat >"$config/init" <<INIT
session.configVersion: 13
session.screen0.toolbar.visible: false
session.screen0.workspaces: 1
session.screen0.titlebar.left:
session.screen0.titlebar.right: Minimize Maximize Close
session.screen0.rootCommand: true
session.styleFile: /usr/share/fluxbox/styles/debian-blue
session.styleOverlay: $config/overlay
session.keyFile: $config/keys
session.appsFile: $config/apps
INIT
printf 'background: none\nwindow.font: IPAPGothic-9\n*.font: IPAPGothic-9\n' >"$config/overlay"
: >"$config/keys"
: >"$config/apps"
xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" bash -c '
  fluxbox -rc "$0/init" >/dev/null 2>&1 &
  wm=$!
  # Until the window manager has taken the screen.
  for _ in $(seq 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    sleep 0.1
  done
  status=0
  "$@" || status=$?
  kill "$wm" 2>/dev/null || true
  exit "$status"' "$config" "$@"
