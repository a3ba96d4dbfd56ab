#!/usr/bin/env bash
# Installs what the game needs on Debian 12 and builds it into build/.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-packages.sh g++ cmake ninja-build qt6-base-dev qt6-multimedia-dev qt6-tools-dev \
    qt6-tools-dev-tools qt6-l10n-tools qt6-qpa-plugins libgl-dev libgtest-dev libxcb1-dev fonts-liberation2

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release "$@"
cmake --build build
