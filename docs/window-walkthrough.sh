#!/usr/bin/env bash
# Walks one real round through the window under a virtual X display and
# keeps a picture of each step in docs/: the profile list, the settings of
# the demo profile with the preview of their cut, the preview with proposed
# markers, an item chosen and the Start Item String hits stepped through,
# and the generated feed in the viewer. The feed is saved to
# /tmp/harbour.xml on the way; the demo profile is left as it was.
#   bash docs/window-walkthrough.sh [build-folder]
# Needs xvfb, x11-apps (xwd), xdotool and imagemagick. The positions below
# are those of the window as it opens with the demo profile first in the list.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
docs=$PWD/docs
rm -f /tmp/harbour.xml
xvfb-run -a -s "-screen 0 1060x600x24" bash -c "
  set -e
  shot() { xwd -root -silent > /tmp/myveltrane.xwd
           /usr/bin/convert /tmp/myveltrane.xwd -crop 1060x600+0+0 +repage '$docs'/\$1.png; }
  '$build/bin/myveltrane' & pid=\$!
  sleep 2
  shot window
  xdotool mousemove 150 53 click 1; sleep 0.5     # the demo profile in the list
  xdotool key alt+l; sleep 0.5                    # Select Profile
  xdotool key alt+g; sleep 0.5                    # the Generate Settings page
  xdotool key alt+d; sleep 1                      # Load Page: the preview beside the markers
  shot window-settings
  xdotool key alt+m; sleep 1                      # Suggest markers...
  xdotool type --delay 20 'Fish market moves indoors'
  xdotool key Tab
  xdotool type --delay 20 'Lighthouse open day'
  xdotool key Return; sleep 1                     # the proposals, listed above the items
  xdotool mousemove 480 474 click 1; sleep 0.5    # item 3 in the list
  xdotool mousemove 220 113 click 1; sleep 0.3    # into the Start Item String box
  xdotool key alt+x; sleep 0.3                    # Next: its first hit
  shot window-preview
  xdotool key alt+f; sleep 1                      # Generate Feed
  xdotool key Return; sleep 1.5                   # Yes: feed title for empty item titles
  xdotool type --delay 20 /tmp/harbour; sleep 0.3 # the save chooser
  xdotool key Return; sleep 1
  shot window-feed
  kill \$pid
"
rm -f /tmp/myveltrane.xwd
ls -l /tmp/harbour.xml docs/window.png docs/window-settings.png docs/window-preview.png docs/window-feed.png
