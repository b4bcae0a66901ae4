#!/usr/bin/env bash
# Checks exported files with the tools that consume them:
#   *.json       design-token files, loaded and linted with @terrazzo/parser (pinned in package.json)
#   *.xml        Android resource files: well-formed XML (xmllint), resource names and string
#                escapes as the Android resource compiler reads them (check-android-resources.mjs)
#   *.xcassets   asset catalogs: every "Contents.json" inside must parse as JSON
# Usage: tests/ecosystem/check-design-tokens.sh OUTPUT...
# Installs the pinned parser into tests/ecosystem/node_modules on first use. Exit status: 0 all
# files pass, 1 some file fails, 2 bad usage or a missing tool.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/node-packages.sh"

if [[ $# -eq 0 ]]; then
    echo "usage: $0 OUTPUT..." >&2
    exit 2
fi
command -v xmllint >/dev/null || { echo "check-design-tokens: 'xmllint' is needed (Debian: libxml2-utils)" >&2; exit 2; }
need_node_packages check-design-tokens @terrazzo/parser

status=0
token_files=()
for output in "$@"; do
    case "$output" in
        *.xcassets | *.xcassets/)
            if [[ ! -f "$output/Contents.json" ]]; then
                echo "FAIL $output: no Contents.json at the catalog's root" >&2
                status=1
                continue
            fi
            count=0
            while IFS= read -r -d '' contents; do
                count=$((count + 1))
                if ! node -e 'JSON.parse(require("fs").readFileSync(process.argv[1], "utf8"))' "$contents" 2>/dev/null; then
                    echo "FAIL $contents: not valid JSON" >&2
                    status=1
                fi
            done < <(find "$output" -name Contents.json -print0)
            echo "ok $output: $count Contents.json files"
            ;;
        *.xml)
            if xmllint --noout "$output" && node "$here/check-android-resources.mjs" "$output" >/dev/null; then
                echo "ok $output"
            else
                status=1
            fi
            ;;
        *.json)
            token_files+=("$output")
            ;;
        *)
            echo "check-design-tokens: don't know how to check '$output' (.json, .xml or .xcassets)" >&2
            exit 2
            ;;
    esac
done

if [[ ${#token_files[@]} -gt 0 ]]; then
    node "$here/validate-tokens.mjs" "${token_files[@]}" || status=1
fi
exit "$status"
