#!/usr/bin/env bash
# The main job: builds the `vantorel` command (Release) and runs it on the bundled example.
# Installs what it needs first (scripts/setup.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTOREL_TESTS=OFF -DVANTOREL_BENCH=OFF >/dev/null
cmake --build build/release --target vantorel -j "$(nproc 2>/dev/null || echo 2)"

vantorel=build/release/cli/vantorel
echo "== vantorel convert '#FF8000' --to sRGB"
"$vantorel" convert '#FF8000' --to sRGB
echo
echo "== vantorel convert 'oklch(62.8% 0.2577 29.2)' --to displayP3"
"$vantorel" convert 'oklch(62.8% 0.2577 29.2)' --to displayP3
echo
echo "== vantorel info examples/Showcase.vantorel"
"$vantorel" info examples/Showcase.vantorel
