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
  rm -f "$state" "$state.openbox.log"
}

wm_running() {
  DISPLAY=$1 xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
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
    # openbox is running once it has claimed the screen's window-manager selection;
    # without it windows get no frames and no focus, so a session without one is no
    # session. A slow start gets a second chance.
    for attempt in 1 2; do
      DISPLAY=":$n" setsid openbox >"$state.openbox.log" 2>&1 &
      wm=$!
      for _ in $(seq 150); do
        wm_running ":$n" && break
        kill -0 "$wm" 2>/dev/null || break
        sleep 0.1
      done
      wm_running ":$n" && break
      echo "openbox did not take the screen (attempt $attempt):"
      cat "$state.openbox.log"
      kill "$wm" 2>/dev/null || true
      wait "$wm" 2>/dev/null || true
    done
    if ! wm_running ":$n"; then
      kill "$xvfb" 2>/dev/null || true
      exit 1
    fi
    printf 'DISPLAY_NUMBER=%s\nXVFB_PID=%s\nWM_PID=%s\n' "$n" "$xvfb" "$wm" >"$state"
    echo "Xvfb :$n with openbox, ready after $SECONDS s"
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
