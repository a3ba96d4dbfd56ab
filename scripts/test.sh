#!/usr/bin/env bash
# Sets up, builds and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
# The desktop tests play the game on Xvfb under openbox, metacity and KWin
# (with its Breeze frames, in a session bus), input sent by xdotool and
# wmctrl; python3 grabs the screen.
bash scripts/install-packages.sh xvfb openbox metacity kwin-x11 breeze dbus xdotool wmctrl x11-utils python3
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure
