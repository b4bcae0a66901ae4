#!/usr/bin/env bash
# Checks exported style sheets and shader sources with the tools that consume them:
#   *.css, *.txt   parsed strictly by lightningcss
#   *.scss         compiled by sass, the result parsed by lightningcss
#   *.less         compiled by less, the result parsed by lightningcss
#   *.gl           included in a minimal GLSL 1.50 fragment shader and compiled by glslangValidator
# Usage: tests/ecosystem/check-style-sheets.sh OUTPUT...
# Installs the pinned tools (package.json) into tests/ecosystem/node_modules on first use. Exit
# status: 0 all files pass, 1 some file fails, 2 bad usage or a missing tool.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/node-packages.sh"

if [[ $# -eq 0 ]]; then
    echo "usage: $0 OUTPUT..." >&2
    exit 2
fi

sheets=()
shaders=()
for output in "$@"; do
    case "$output" in
        *.css | *.txt | *.scss | *.less) sheets+=("$output") ;;
        *.gl) shaders+=("$output") ;;
        *)
            echo "check-style-sheets: don't know how to check '$output' (.css, .txt, .scss, .less or .gl)" >&2
            exit 2
            ;;
    esac
done

status=0
if [[ ${#sheets[@]} -gt 0 ]]; then
    need_node_packages check-style-sheets sass less lightningcss
    node "$here/check-style-sheets.mjs" "${sheets[@]}" || status=1
fi

if [[ ${#shaders[@]} -gt 0 ]]; then
    command -v glslangValidator >/dev/null ||
        { echo "check-style-sheets: 'glslangValidator' is needed (Debian: glslang-tools)" >&2; exit 2; }
    scratch="$(mktemp -d)"
    trap 'rm -rf "$scratch"' EXIT
    for shader in "${shaders[@]}"; do
        # glslangValidator has no include path for plain GLSL, so the snippet is pasted in.
        {
            echo "#version 150"
            cat "$shader"
            echo "out vec4 fragColor;"
            echo "void main() { fragColor = vec4(0.0); }"
        } > "$scratch/check.frag"
        if glslangValidator "$scratch/check.frag" > "$scratch/log" 2>&1; then
            echo "ok $shader"
        else
            echo "FAIL $shader:" >&2
            cat "$scratch/log" >&2
            status=1
        fi
    done
fi
exit "$status"
