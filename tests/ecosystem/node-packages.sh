# Sourced by the checkers: makes sure node and npm are here and the pinned packages (package.json)
# are installed into tests/ecosystem/node_modules, installing them on first use.
# Usage: need_node_packages CHECKER PACKAGE...   exits 2 with a message naming CHECKER otherwise.
need_node_packages() {
    local checker=$1 package folder
    shift
    for tool in node npm; do
        command -v "$tool" >/dev/null || { echo "$checker: '$tool' is needed (Debian: nodejs, npm)" >&2; exit 2; }
    done
    folder="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
    for package in "$@"; do
        if [[ ! -d "$folder/node_modules/$package" ]]; then
            (cd "$folder" && npm ci --no-audit --no-fund --silent) || { echo "$checker: npm ci failed" >&2; exit 2; }
            return
        fi
    done
}
