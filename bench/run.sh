#!/usr/bin/env bash
# Benchmarks vornscript against Lua 5.4, CPython 3 and Perl 5. Every
# benchmark NAME exists as NAME.vornscript, NAME.lua, NAME.py and NAME.pl
# running the same algorithm; all four must print the same checksum line
# before anything is timed, so a fast but wrong interpreter fails loudly.
# Timing uses hyperfine medians of wall-clock time (one warm-up, at least
# five runs); the table also shows CPU-time ratios, which a loaded machine
# disturbs less.
#
# Usage: bash bench/run.sh [--check] path/to/vornscript
#   --check  only compare the checksums (fast; no timing)
set -euo pipefail

checkonly=0
if [ "${1:-}" = "--check" ]; then
    checkonly=1
    shift
fi
if [ $# -ne 1 ]; then
    echo "usage: bash bench/run.sh [--check] path/to/vornscript" >&2
    exit 2
fi

benchdir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repodir=$(dirname "$benchdir")
vornscript=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
if [ ! -x "$vornscript" ]; then
    echo "bench: $1 is not an executable vornscript (run make build first)" >&2
    exit 2
fi

bash "$repodir/scripts/install-bench-deps.sh"

# The four languages: display name, command (quoted as a shell word list,
# as hyperfine also reads it), file extension. python3 is resolved to the
# interpreter itself, because a version-manager shim in PATH would add its
# own start-up to every run. -P keeps Python from putting bench/ first on
# its module path.
python=$(python3 -c 'import sys; print(sys.executable)')
languages=(vornscript lua python perl)
declare -A program=([vornscript]="'$vornscript'" [lua]=lua5.4 [python]="'$python' -P" [perl]=perl)
declare -A extension=([vornscript]=vornscript [lua]=lua [python]=py [perl]=pl)

workdir=$(mktemp -d)
trap 'rm -rf "$workdir"' EXIT

# Runs one program of one language, optionally under a wrapper such as
# /usr/bin/time, and prints its standard output.
runone() {
    local language=$1 file=$2 wrapper=${3:-}
    eval "$wrapper ${program[$language]} '$file'"
}

# Runs the programs NAME.* of the given directory in every language and
# compares their output with vornscript's: one line per NAME when all agree,
# else a FAIL block with every language's output. Returns the failure count.
checksums() {
    local directory=$1 failures=0 name language file agree
    local -A output
    for file in "$directory"/*.vornscript; do
        name=$(basename "$file" .vornscript)
        agree=1
        for language in "${languages[@]}"; do
            file="$directory/$name.${extension[$language]}"
            if [ ! -f "$file" ]; then
                output[$language]="(missing: $file)"
            elif ! output[$language]=$(runone "$language" "$file" 2>&1); then
                output[$language]="(failed) ${output[$language]}"
            fi
            [ "${output[$language]}" = "${output[vornscript]}" ] || agree=0
            [[ "${output[$language]}" = \(* ]] && agree=0
        done
        if [ $agree -eq 1 ]; then
            printf '  %-12s %s\n' "$name" "${output[vornscript]}"
        else
            printf '  FAIL %s: the languages disagree\n' "$name"
            for language in "${languages[@]}"; do
                printf '    %-11s %s\n' "$language:" "${output[$language]}"
            done
            failures=$((failures + 1))
        fi
    done
    return $failures
}

echo "== checksums (every language must print the same line)"
failures=0
checksums "$benchdir" || failures=$((failures + $?))
checksums "$benchdir/memory" || failures=$((failures + $?))
if [ $failures -ne 0 ]; then
    echo "bench: checksum mismatch, no timing done" >&2
    exit 1
fi
[ $checkonly -eq 1 ] && exit 0

# hyperfine without a shell (-N) splits the command line itself; quoting
# keeps paths with blanks whole.
timebenchmark() {
    local json=$1
    shift
    local arguments=(-N --warmup 1 --min-runs 5 --style none --export-json "$json")
    local language
    for language in "${languages[@]}"; do
        arguments+=(-n "$language" "$1")
        shift
    done
    hyperfine "${arguments[@]}" >/dev/null
}

echo "== peers: $(lua5.4 -v 2>&1 | cut -d' ' -f1-2), $("$python" --version) ($python)," \
    "perl $(perl -e 'print $^V')"
echo "== machine: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg) at start"
echo "== timing (hyperfine: 1 warm-up, at least 5 runs per program)"
for file in "$benchdir"/*.vornscript; do
    name=$(basename "$file" .vornscript)
    echo "  $name"
    commands=()
    for language in "${languages[@]}"; do
        commands+=("${program[$language]} '$benchdir/$name.${extension[$language]}'")
    done
    timebenchmark "$workdir/$name.json" "${commands[@]}"
done
timebenchmark "$workdir/startup.json" "'$vornscript' -script 1" "lua5.4 -e ''" "'$python' -c ''" "perl -e ''"

for language in "${languages[@]}"; do
    runone "$language" "$benchdir/memory/million.${extension[$language]}" "/usr/bin/time -v" \
        >/dev/null 2>"$workdir/memory.$language"
    sed -n 's/^[[:space:]]*Maximum resident set size (kbytes): //p' "$workdir/memory.$language" \
        >"$workdir/memory.$language.kb"
done
echo "== machine: load average $(cut -d' ' -f1-3 /proc/loadavg) at end"

python3 -P "$benchdir/lib/summarize.py" "$workdir"
