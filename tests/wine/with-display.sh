#!/usr/bin/env bash
# Runs a command with a private X display (Xvfb) and a small window manager, for tests of
# windows. Without a window manager, destroying a shown window under Xvfb stalls ~2 s.
#   tests/wine/with-display.sh COMMAND...        (DISPLAY is set for the command)
#   screenshot: import -window root FILE.png      (ImageMagick) from within the command
set -u
display_number=$(( 90 + RANDOM % 400 ))
Xvfb ":$display_number" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=":$display_number"
for _ in $(seq 50); do
  xdpyinfo >/dev/null 2>&1 && break
  sleep 0.1
done
openbox >/dev/null 2>&1 &
wm=$!
"$@"
rc=$?
kill "$wm" "$xvfb" 2>/dev/null
wait 2>/dev/null
exit $rc
