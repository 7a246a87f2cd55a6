#!/usr/bin/env bash
# Runs the test command as CI does, on a busy machine: a fresh clone of this
# repository's current commit in a temporary folder with ../shared beside it,
# `bash .ci/run` there, and two CPU-bound processes (stress-ng --cpu 2 when it
# is installed, plain busy loops otherwise) running beside it the whole time.
# Prints the time taken and the run's result line; exits with the run's status.
# Usage: tools/busy-ci.sh   (TMPDIR says where the clone goes; it is removed
# afterwards, the run's log is kept)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
shared=$(cd "$root/../shared" 2>/dev/null && pwd) || { echo "busy-ci: no ../shared beside $root" >&2; exit 2; }
commit=$(git -C "$root" rev-parse HEAD) || exit 2
work=$(mktemp -d "${TMPDIR:-/tmp}/busy-ci.XXXXXX")

# Job control: the run and each busy process get a process group of their own,
# which is stopped as a whole.
set -m
hogs=()
stop_hogs() {
    for pid in "${hogs[@]}"; do
        kill -- "-$pid" 2>/dev/null
    done
    wait "${hogs[@]}" 2>/dev/null
    hogs=()
}
trap stop_hogs EXIT
trap 'exit 130' INT TERM

git clone -q --no-hardlinks "$root" "$work/repo" && git -C "$work/repo" checkout -q --detach "$commit" || exit 2
ln -s "$shared" "$work/shared"

if command -v stress-ng >/dev/null; then
    stress-ng --cpu 2 --quiet &
    hogs+=($!)
else
    for _ in 1 2; do
        (while :; do :; done) &
        hogs+=($!)
    done
fi

start=$(date +%s)
(bash "$work/repo/.ci/run" 2>&1 | tee "$work/run.log"; exit "${PIPESTATUS[0]}") &
run=$!
trap 'kill -- "-$run" 2>/dev/null; exit 130' INT TERM
wait "$run"
status=$?
stop_hogs
elapsed=$(($(date +%s) - start))

log=$(mktemp "${TMPDIR:-/tmp}/busy-ci-${commit:0:10}.XXXXXX.log")
mv "$work/run.log" "$log"
rm -rf "$work"
result=$(grep -E '^[0-9]+ passed, [0-9]+ failed$' "$log" | tail -n 1)
echo "busy-ci: commit ${commit:0:10}, $((elapsed / 60)) min $((elapsed % 60)) s beside two busy processes:" \
    "${result:-no result line}; status $status; log $log"
exit "$status"
