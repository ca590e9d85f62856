#!/usr/bin/env bash
# The user guide's pictures of the Windows program's tool dialogs, journal and statement import:
# builds zm_win_screenshots in ./build-win (scripts/build-windows.sh's folder), runs it under Wine
# on a virtual X server, and turns its BMPs into docs/windows-tool-*.png, docs/windows-journal.png
# and docs/windows-import.png. Look at each picture before committing it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
zm_install_packages
build="${ZM_WIN_BUILD:-build-win}"
zm_build_windows "$build" -DZM_WERROR=ON >/dev/null
cmake --build "$build" --target zm_win_screenshots >/dev/null
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
# Wine's drive Z: is the root of the file system.
# Wide enough for the import window with every column of its table shown.
xvfb-run -a -s "-screen 0 1920x1200x24" \
  scripts/wine-run.sh "$build/zm_win_screenshots.exe" "Z:${out//\//\\}"
for bmp in "$out"/*.bmp; do
  png="docs/$(basename "${bmp%.bmp}").png"
  convert "$bmp" "$png"
  echo "win-screenshots: $png"
done
