#!/usr/bin/env bash
# Checks exported source code with the tools that read it:
#   *.swift, *.kt   parsed with the tree-sitter grammars of Swift and Kotlin (pinned in package.json)
#   *.metal         compiled by clang as C++ against metal/metal_stdlib, the Metal types the outputs use
# Usage: tests/ecosystem/check-sources.sh OUTPUT...
# Installs the pinned parsers into tests/ecosystem/node_modules on first use. Exit status: 0 all
# files pass, 1 some file fails, 2 bad usage or a missing tool.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/node-packages.sh"

if [[ $# -eq 0 ]]; then
    echo "usage: $0 OUTPUT..." >&2
    exit 2
fi

parsed=()
shaders=()
for output in "$@"; do
    case "$output" in
        *.swift | *.kt) parsed+=("$output") ;;
        *.metal) shaders+=("$output") ;;
        *)
            echo "check-sources: don't know how to check '$output' (.swift, .kt or .metal)" >&2
            exit 2
            ;;
    esac
done

status=0
if [[ ${#parsed[@]} -gt 0 ]]; then
    need_node_packages check-sources web-tree-sitter tree-sitter-wasms
    node "$here/check-sources.mjs" "${parsed[@]}" || status=1
fi

if [[ ${#shaders[@]} -gt 0 ]]; then
    clang=$(command -v clang++-14 || command -v clang++ || true)
    [[ -n "$clang" ]] || { echo "check-sources: 'clang++' is needed (Debian: clang-14)" >&2; exit 2; }
    for shader in "${shaders[@]}"; do
        if [[ -n "$(tail -c 1 "$shader")" ]]; then
            echo "FAIL $shader: does not end with a line break" >&2
            status=1
        # Included from a file of its own, as apps include it (it is a header: #pragma once).
        elif printf '#include "%s"\n' "$(realpath "$shader")" |
            "$clang" -x c++ -std=c++17 -fsyntax-only -Werror -I "$here/metal" -; then
            echo "ok $shader"
        else
            echo "FAIL $shader" >&2
            status=1
        fi
    done
fi
exit "$status"
