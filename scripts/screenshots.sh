#!/usr/bin/env bash
# Takes the user guide's pictures from the real program and writes them into docs/: the main
# window, the batch buy dialog, the about box, the target price and the five holding tools (the
# list is in tools/screenshots/screenshots.cpp). The program runs on a virtual X server
# (Xvfb), is driven with key events and clicks by tools/screenshots, and each window is saved as
# it paints itself; every step is checked, and the script fails if one went wrong.
#
#   scripts/screenshots.sh            the pictures of the guide, into docs/
#   scripts/screenshots.sh --scales   the same, plus the pictures at 125 %, 150 % and 200 %
#                                     into build/screenshots/<percent>/ (not committed), to look
#                                     at the layout on scaled desktops
#
# Builds into ./build (or $ZM_BUILD_DIR) the one program it needs.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
zm_install_packages

build="${ZM_BUILD_DIR:-build}"
cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target zm_screenshots

shoot() {  # shoot SCALE DIRECTORY
  LC_ALL=C.UTF-8 QT_SCALE_FACTOR="$1" xvfb-run -a -s "-screen 0 2560x1600x24" \
    "$build/tools/zm_screenshots" "$2"
}

shoot 1 docs
if [ "${1:-}" = "--scales" ]; then
  for scale in 1.25 1.5 2; do
    percent=$(awk -v s="$scale" 'BEGIN { printf "%d", s * 100 }')
    shoot "$scale" "$build/screenshots/$percent"
  done
fi
