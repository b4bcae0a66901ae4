#!/usr/bin/env bash
# Imports files that other projects publish (pinned in package.json, installed here with
# `npm ci` on first use): a color-scale style sheet whose numbered custom properties must
# become color sets, a large CSS framework, an icon set's SVG drawings, and a design-token
# package read with --lenient. Each import must succeed and find what the file holds.
# Usage: tests/import-samples/run.sh VANTOREL_BINARY. Exit status: 0 all pass, 1 some import
# fails, 2 bad usage or a missing tool.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
if [[ $# -ne 1 || ! -x "$1" ]]; then
    echo "usage: $0 VANTOREL_BINARY" >&2
    exit 2
fi
vantorel="$1"
for tool in node npm; do
    if ! command -v "$tool" >/dev/null; then
        echo "import-samples: '$tool' is needed (Debian: nodejs, npm)" >&2
        exit 2
    fi
done
if [[ ! -d "$here/node_modules/bootstrap-icons" ]]; then
    (cd "$here" && npm ci --no-audit --no-fund --silent --ignore-scripts) || { echo "import-samples: npm ci failed" >&2; exit 2; }
fi
modules="$here/node_modules"

status=0
# expect FILE MIN_COUNT JS_CONDITION [IMPORT_OPTIONS...]: imports FILE as JSON and checks that the
# group holds at least MIN_COUNT items at its top level and that the condition on `items` holds.
expect() {
    local file="$1" minimum="$2" condition="$3"
    shift 3
    local output
    if ! output=$("$vantorel" import "$file" --json "$@" 2>&1); then
        echo "FAIL ${file#"$modules"/}: $output" >&2
        status=1
        return
    fi
    if ! node -e '
        const items = JSON.parse(require("fs").readFileSync(0, "utf8")).group.items;
        const [minimum, condition] = process.argv.slice(1);
        if (items.length < Number(minimum) || !eval(condition)) process.exit(1);
        console.log(items.length + " items");' "$minimum" "$condition" <<<"$output" >/tmp/import-sample.$$; then
        echo "FAIL ${file#"$modules"/}: fewer than $minimum items, or not: $condition" >&2
        status=1
        return
    fi
    echo "ok   ${file#"$modules"/}: $(cat /tmp/import-sample.$$)"
    rm -f /tmp/import-sample.$$
}

# Twelve numbered steps per scale, written in hex and again in Display P3.
hasSet='items.some(i => i.kind === "colorSet" && i.steps.length >= 12)'
for scale in blue gray red-dark; do
    expect "$modules/@radix-ui/colors/$scale.css" 1 "$hasSet"
done
expect "$modules/bootstrap/dist/css/bootstrap.css" 100 'items.some(i => i.kind === "colorSet")'
expect "$modules/bootstrap/dist/css/bootstrap.min.css" 100 'true'
expect "$modules/bootstrap/scss/_variables.scss" 10 'items.some(i => i.kind === "colorSet" && i.name === "gray")'

# Icons draw in currentColor: they import cleanly, with no colors.
icons=0
for icon in "$modules"/bootstrap-icons/icons/a*.svg; do
    if ! "$vantorel" import "$icon" >/dev/null 2>/tmp/import-sample.$$; then
        echo "FAIL ${icon#"$modules"/}: $(cat /tmp/import-sample.$$)" >&2
        status=1
    fi
    icons=$((icons + 1))
done
rm -f /tmp/import-sample.$$
echo "ok   bootstrap-icons: $icons drawings"
expect "$modules/bootstrap-icons/bootstrap-icons.svg" 0 'true'

tokens="$modules/@primer/primitives/dist/styleLint/functional/themes"
expect "$tokens/light.json" 500 'items.filter(i => i.kind === "color").length >= 500' --lenient
expect "$tokens/dark-high-contrast.json" 500 'true' --lenient
exit "$status"
