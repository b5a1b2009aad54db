#!/usr/bin/env bash
# Command-line tests of the vornscript program: each case runs the binary
# with arguments and compares exit code, standard output and standard error
# exactly. Every run gets a fresh HOME, so no settings file leaks in.
# Usage: run_cli_tests.sh path/to/vornscript
set -u
VORNSCRIPT=$(realpath "$1")
HERE=$(cd "$(dirname "$0")" && pwd)
passed=0
failed=0

# A scratch folder per test run; cases may put files into it.
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

# check NAME EXPECTED_EXIT EXPECTED_STDOUT EXPECTED_STDERR -- ARGS...
# Runs in $WORK with a fresh, empty HOME per case and without the XDG folder
# and TMPDIR variables of the caller. A case may set, for its call only:
#   CASE_HOME      use this home folder instead (to prepare files in it)
#   CASE_SETTINGS  the text of vornscript.ini, written to HOME/Documents
#   CASE_ENV       extra VAR=value words for the program's environment
check() {
    local name=$1 want_exit=$2 want_out=$3 want_err=$4
    shift 5
    local home=${CASE_HOME:-}
    [ -n "$home" ] || home=$(mktemp -d "$WORK/home.XXXXXX")
    if [ -n "${CASE_SETTINGS+set}" ]; then
        mkdir -p "$home/Documents"
        printf '%s' "$CASE_SETTINGS" >"$home/Documents/vornscript.ini"
    fi
    local out err code
    # shellcheck disable=SC2086  # CASE_ENV is a list of words on purpose
    out=$(cd "$WORK" && env HOME="$home" XDG_CONFIG_HOME= XDG_DOCUMENTS_DIR= TMPDIR= \
        ${CASE_ENV:-} "$VORNSCRIPT" "$@" 2>"$WORK/.stderr"; echo "#$?")
    code=${out##*#}
    out=${out%#*}
    err=$(cat "$WORK/.stderr"; echo "#")
    err=${err%#}
    if [ "$code" == "$want_exit" ] && [ "$out" == "$want_out" ] && [ "$err" == "$want_err" ]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAILED: $name"
        [ "$code" == "$want_exit" ] || echo "  exit code: got $code, want $want_exit"
        if [ "$out" != "$want_out" ]; then
            echo "  stdout differs:"
            diff <(printf '%s' "$want_out") <(printf '%s' "$out") | sed 's/^/    /'
        fi
        if [ "$err" != "$want_err" ]; then
            echo "  stderr differs:"
            diff <(printf '%s' "$want_err") <(printf '%s' "$err") | sed 's/^/    /'
        fi
    fi
}

# Compares a text the program left behind (such as a log file) with the
# expected one.
check_log() {
    local name=$1 want=$2 got=$3
    if [ "$want" == "$got" ]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAILED: $name"
        diff <(printf '%s\n' "$want") <(printf '%s\n' "$got") | sed 's/^/    /'
    fi
}

for cases in "$HERE"/cases_*.sh; do
    [ -e "$cases" ] || continue
    # shellcheck source=/dev/null
    source "$cases"
done

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
