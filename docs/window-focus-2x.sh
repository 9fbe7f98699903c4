#!/usr/bin/env bash
# Two more pictures of the window under a virtual X display, kept in docs/:
# the keyboard focus on "New Profile", a Tab after the profile list
# (window-focus.png), and
# the window on a screen of device pixel ratio 2 (window-2x.png).
#   bash docs/window-focus-2x.sh [build-folder]
# Needs xvfb, x11-apps (xwd), xdotool and imagemagick.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
docs=$PWD/docs
# One window on a screen of width x height at scale factor, keys typed
# into it, then the picture.
shoot() {
  local size=$1 scale=$2 keys=$3 name=$4
  xvfb-run -a -s "-screen 0 ${size}x24" bash -c "
    set -e
    QT_SCALE_FACTOR=$scale '$build/bin/myveltrane' & pid=\$!
    sleep 2
    xdotool mousemove 200 300 click 1; sleep 0.3   # into the list: the window takes the keys
    for k in $keys; do xdotool key \$k; sleep 0.3; done
    xwd -root -silent > /tmp/myveltrane-$name.xwd
    /usr/bin/convert /tmp/myveltrane-$name.xwd '$docs/$name.png'
    kill \$pid
  "
  rm -f "/tmp/myveltrane-$name.xwd"
}
shoot 1060x600 1 Tab window-focus
shoot 2120x1200 2 "" window-2x
ls -l docs/window-focus.png docs/window-2x.png
