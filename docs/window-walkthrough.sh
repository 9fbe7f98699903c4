#!/usr/bin/env bash
# Walks one real round through the window under a virtual X display and
# keeps a picture of each step in docs/: the profile list, the settings of
# the demo profile, and the generated feed in the viewer. The feed is saved
# to /tmp/harbour.xml on the way.
#   bash docs/window-walkthrough.sh [build-folder]
# Needs xvfb, x11-apps (xwd), xdotool and imagemagick. The positions below
# are those of the window as it opens with the demo profile first in the list.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
docs=$PWD/docs
rm -f /tmp/harbour.xml
xvfb-run -a -s "-screen 0 660x480x24" bash -c "
  set -e
  shot() { xwd -root -silent > /tmp/myveltrane.xwd
           /usr/bin/convert /tmp/myveltrane.xwd -crop 660x480+0+0 +repage '$docs'/\$1.png; }
  '$build/bin/myveltrane' & pid=\$!
  sleep 2
  shot window
  xdotool mousemove 150 53 click 1; sleep 0.5     # the demo profile in the list
  xdotool mousemove 562 132 click 1; sleep 0.5    # Select Profile
  xdotool mousemove 286 24 click 1; sleep 0.5     # the Generate Settings page
  shot window-settings
  xdotool mousemove 589 418 click 1; sleep 1      # Generate Feed
  xdotool key Return; sleep 1.5                   # Yes: feed title for empty item titles
  xdotool type --delay 20 /tmp/harbour; sleep 0.3 # the save chooser
  xdotool key Return; sleep 1
  shot window-feed
  kill \$pid
"
rm -f /tmp/myveltrane.xwd
ls -l /tmp/harbour.xml docs/window.png docs/window-settings.png docs/window-feed.png
