#!/usr/bin/env bash
# Installs what is missing, builds the program (Release, into build/) and starts it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
"$top/scripts/build.sh" build Release -DQUILLMERE_TESTS=OFF

display_ok=0
if [ -n "${WAYLAND_DISPLAY:-}" ]; then
  display_ok=1
elif [ -n "${DISPLAY:-}" ] && xdotool getdisplaygeometry >/dev/null 2>&1; then
  display_ok=1
fi
if [ $display_ok -eq 0 ]; then
  echo "No display to show the window on; start one first: Xvfb :99 -screen 0 1280x1024x24 & DISPLAY=:99 $0" >&2
  exit 1
fi
exec "$top/build/quillmere"
