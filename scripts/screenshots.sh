#!/usr/bin/env bash
# Retakes the README's screenshots on the simulated dongle under a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v import >/dev/null || sudo apt-get install -y imagemagick
cmake --build build --target kestrova-config >/dev/null
shot=$(mktemp --suffix=.png)
xvfb-run -a -s "-screen 0 900x900x24" bash -c "
  ./build/app/kestrova-config --simulate=dongle & pid=\$!
  sleep 4; import -window root '$shot'; kill \$pid; wait \$pid || true"
mkdir -p docs
convert "$shot" -bordercolor black -border 1 -trim +repage docs/main-window.png
convert docs/main-window.png -crop 740x485+20+157 +repage docs/basic-settings.png
rm -f "$shot"
