#!/usr/bin/env bash
# xsession.sh start|stop STATE_FILE — starts Xvfb on a free display with the openbox
# window manager for the desktop tests, or stops what "start" started. STATE_FILE
# holds the display and the two process ids.
set -euo pipefail
action=${1:?usage: xsession.sh start|stop STATE_FILE}
state=${2:?usage: xsession.sh start|stop STATE_FILE}

stop() {
  [ -f "$state" ] || return 0
  # shellcheck disable=SC1090
  . "$state"
  for pid in "${WM_PID:-}" "${XVFB_PID:-}"; do
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  done
  for _ in $(seq 50); do
    kill -0 "${XVFB_PID:-0}" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$state"
}

start() {
  stop
  command -v Xvfb >/dev/null || { echo "Xvfb is not installed (xvfb)"; exit 1; }
  command -v openbox >/dev/null || { echo "openbox is not installed"; exit 1; }
  command -v xdotool >/dev/null || { echo "xdotool is not installed"; exit 1; }
  for n in $(seq 140 199); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    setsid Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    for _ in $(seq 100); do
      DISPLAY=":$n" xdotool getdisplaygeometry >/dev/null 2>&1 && break
      kill -0 "$xvfb" 2>/dev/null || break
      sleep 0.1
    done
    if ! DISPLAY=":$n" xdotool getdisplaygeometry >/dev/null 2>&1; then
      kill "$xvfb" 2>/dev/null || true
      continue  # another session took the display first
    fi
    DISPLAY=":$n" setsid openbox >/dev/null 2>&1 &
    wm=$!
    # openbox is running once it has claimed the screen's window-manager selection.
    for _ in $(seq 100); do
      DISPLAY=":$n" xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
      sleep 0.1
    done
    printf 'DISPLAY_NUMBER=%s\nXVFB_PID=%s\nWM_PID=%s\n' "$n" "$xvfb" "$wm" >"$state"
    echo "Xvfb :$n with openbox"
    return 0
  done
  echo "no free X display between :140 and :199"
  exit 1
}

case "$action" in
  start) start ;;
  stop) stop ;;
  *) echo "usage: xsession.sh start|stop STATE_FILE"; exit 2 ;;
esac
