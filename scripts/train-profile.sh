#!/usr/bin/env bash
# Runs the instrumented program over the training scripts, so the release
# build can be optimised for how scripts spend their time. The training set
# is general work (the self-test catalogue and scripts/training/), not the
# benchmarks. Usage: train-profile.sh INSTRUMENTED_PROGRAM PROFILE_DIR
# Training runs only when the program or a training script is newer than the
# last training.
set -euo pipefail
program=$1
profiledir=$2
stamp=$profiledir/trained.stamp
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

uptodate() {
    [[ -f $stamp && $stamp -nt $program ]] || return 1
    local script
    for script in "$here"/training/*.vornscript; do
        [[ $stamp -nt $script ]] || return 1
    done
}
if uptodate; then
    exit 0
fi
mkdir -p "$profiledir"
find "$profiledir" -name '*.gcda' -delete
echo "training the profile with $program"
"$program" -tests > /dev/null
for script in "$here"/training/*.vornscript; do
    "$program" "$script" > /dev/null
done
touch "$stamp"
