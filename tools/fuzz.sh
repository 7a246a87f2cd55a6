#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer on) and runs each for SECONDS (default 60),
# growing the corpus in fuzz/corpus/<target>. Crashes land in build-fuzz/crashes.
# Usage: tools/fuzz.sh [SECONDS] [TARGET...]
#        tools/fuzz.sh --check SECONDS   each target from a copy of its corpus,
#        which is left as it is; exits non-zero when a target finds a crash
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
check=false
if [ "${1:-}" = --check ]; then
    check=true
    shift
fi
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(server_list datagram)

"$root/tools/deps.sh" fuzz
build=$root/build-fuzz
cmake --preset fuzz -S "$root" >/dev/null
cmake --build "$build" >/dev/null
mkdir -p "$build/crashes"
if $check; then
    status=0
    for target in "${targets[@]}"; do
        work=$(mktemp -d)
        cp -r "$root/fuzz/corpus/$target/." "$work/" 2>/dev/null || true
        if "$build/fuzz_$target" "$work" -max_total_time="$seconds" -max_len=65507 \
                -artifact_prefix="$build/crashes/$target-" >"$build/$target.log" 2>&1; then
            echo "fuzz_$target: no crash in ${seconds}s"
        else
            echo "fuzz_$target: FAILED, see $build/$target.log and $build/crashes/"
            grep -E "^==[0-9]+==ERROR|^SUMMARY" "$build/$target.log" | head -n 5
            status=1
        fi
        rm -rf "$work"
    done
    exit $status
fi
for target in "${targets[@]}"; do
    corpus=$root/fuzz/corpus/$target
    mkdir -p "$corpus"
    echo "== fuzz_$target for ${seconds}s ($(ls "$corpus" | wc -l) corpus files)"
    "$build/fuzz_$target" "$corpus" -max_total_time="$seconds" -max_len=65507 \
        -artifact_prefix="$build/crashes/$target-" -print_final_stats=1 2>&1 \
        | grep -E "^(#[0-9]+ +DONE|stat::number_of_executed_units|stat::peak_rss|==[0-9]+==ERROR|SUMMARY)" || true
    # Keep the corpus small: merge it down to the inputs that add coverage.
    tmp=$(mktemp -d)
    "$build/fuzz_$target" -merge=1 "$tmp" "$corpus" >/dev/null 2>&1
    rm -rf "$corpus" && mv "$tmp" "$corpus"
    echo "   corpus now $(ls "$corpus" | wc -l) files"
done
ls "$build/crashes"
