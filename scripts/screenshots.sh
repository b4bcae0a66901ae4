#!/usr/bin/env bash
# Starts the editor's windows on the example document under a virtual X server (Xvfb) and writes
# PNG pictures of the welcome window, the document window in each display mode and each swatch
# proofing mode, the inspector of each item kind, the color picker, quick convert and settings
# windows, the build and test group windows, the test results and the pre-build check into
# build/screenshots/; it also prints how long a document of
# 10,000 items takes to open to a usable window and to scroll.
# Usage: bash scripts/screenshots.sh [DOCUMENT] [OUTPUT_FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
document=${1:-examples/Showcase.vantorel}
output=${2:-build/screenshots}
build=build/dev

if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVANTOREL_WERROR=ON >/dev/null
fi
cmake --build "$build" --target vantorel-editor-screenshots
mkdir -p "$output"
# A light, predictable look: the Fusion style at 1x, whatever the desktop around it.
QT_QPA_PLATFORM=xcb QT_STYLE_OVERRIDE=Fusion QT_SCALE_FACTOR=1 \
  xvfb-run -a -s "-screen 0 1600x1000x24" \
  "$build/app/vantorel-editor-screenshots" "$document" "$output"
echo "screenshots: $output"
