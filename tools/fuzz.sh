#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer on) and runs each for SECONDS (default 60),
# growing the corpus in fuzz/corpus/<target>. Crashes land in build-fuzz/crashes.
# Usage: tools/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(server_list datagram)

"$root/tools/deps.sh" build
command -v clang++ >/dev/null || { sudo=(); [ "$(id -u)" -ne 0 ] && sudo=(sudo);
    "${sudo[@]}" apt-get install -y -qq clang libclang-rt-14-dev >&2; }
build=$root/build-fuzz
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTARVEX_BUILD_GUI=OFF -DTARVEX_BUILD_TESTS=OFF -DTARVEX_SANITIZE=ON -DTARVEX_BUILD_FUZZ=ON >/dev/null
cmake --build "$build" >/dev/null
mkdir -p "$build/crashes"
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
