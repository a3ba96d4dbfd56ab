#!/usr/bin/env bash
# Sets up, builds and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
# The desktop tests play the game on Xvfb with openbox, input sent by xdotool;
# python3 grabs the screen.
bash scripts/install-packages.sh xvfb openbox xdotool x11-utils python3
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure
