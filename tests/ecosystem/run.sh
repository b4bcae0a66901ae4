#!/usr/bin/env bash
# Runs every ecosystem check on the outputs of a build: each exported file or folder is handed
# to the check that knows its kind. Usage: tests/ecosystem/run.sh BUILD_FOLDER
# Exit status: 0 every output passes, 1 some output fails, 2 bad usage or a missing tool.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

if [[ $# -ne 1 || ! -d "$1" ]]; then
    echo "usage: $0 BUILD_FOLDER" >&2
    exit 2
fi

tokens=()
sheets=()
sources=()
while IFS= read -r -d '' output; do
    case "$output" in
        *.xcassets) tokens+=("$output") ;;
        *.xcassets/*) ;;
        *.json | *.xml) tokens+=("$output") ;;
        # A text task's output is for people (names keep their spaces), not for a CSS parser.
        *.css | *.scss | *.less | *.gl) sheets+=("$output") ;;
        *.swift | *.kt | *.metal) sources+=("$output") ;;
    esac
done < <(find "$1" \( -type d -name '*.xcassets' -prune -print0 \) -o \( -type f -print0 \) | sort -z)

if [[ ${#tokens[@]} -eq 0 && ${#sheets[@]} -eq 0 && ${#sources[@]} -eq 0 ]]; then
    echo "run.sh: nothing to check in $1" >&2
    exit 1
fi

status=0
if [[ ${#tokens[@]} -gt 0 ]]; then
    "$here/check-design-tokens.sh" "${tokens[@]}" || status=$?
fi
if [[ ${#sheets[@]} -gt 0 ]]; then
    code=0
    "$here/check-style-sheets.sh" "${sheets[@]}" || code=$?
    if [[ $code -gt $status ]]; then status=$code; fi
fi
if [[ ${#sources[@]} -gt 0 ]]; then
    code=0
    "$here/check-sources.sh" "${sources[@]}" || code=$?
    if [[ $code -gt $status ]]; then status=$code; fi
fi
exit "$status"
