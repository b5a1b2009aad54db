#!/usr/bin/env bash
# Installs the peers and tools `make bench` compares against and measures
# with, only those that are missing, so running it again costs a dpkg query.
# python3 and perl come with the base system and are only checked.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/install-missing.sh"

packages=(
    lua5.4      # the Lua 5.4 peer
    hyperfine   # repeated timing with warm-up and JSON export
    time        # /usr/bin/time -v for peak resident memory
)

installmissing "${packages[@]}"

for program in python3 perl; do
    if ! command -v "$program" >/dev/null; then
        echo "install-bench-deps: $program is required but not found" >&2
        exit 1
    fi
done
