#!/usr/bin/env bash
# Builds the benchmarks in a Release tree and runs every one of them, then
# prints one table of our figures beside the bare window's and qstat's.
# Usage: bench/run-all.sh   (RUNS=15 FLOOD_RUNS=10 BENCH_BUILD_DIR=build-bench)
# Loopback only; every step is bounded in time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BENCH_BUILD_DIR:-$root/build-bench}
runs=${RUNS:-15}
flood_runs=${FLOOD_RUNS:-10}
python=/usr/bin/python3  # Debian's, with the accessibility bindings

"$root/tools/deps.sh" bench
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVEX_BUILD_BENCH=ON \
    -DTARVEX_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)"

results="$build/bench-results"
rm -rf "$results"
mkdir -p "$results"
scratch=$(mktemp -d /tmp/tarvex-bench.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
# The scripts and the harness (tools.harness) are modules of the repository.
cd "$root"

echo "== start-up ($runs runs)" >&2
timeout 900 "$python" -m bench.startup --runs "$runs" --build "$build" --json "$results/startup.json" >&2

echo "== ping and time-out ($runs runs)" >&2
timeout 900 "$python" -m bench.network --runs "$runs" --build "$build" --json "$results/network.json" >&2

echo "== status reply parsing (10 repetitions)" >&2
timeout 600 "$build/bench-status-reply" --benchmark_repetitions=10 \
    --benchmark_report_aggregates_only=true \
    --benchmark_out="$results/parse.json" --benchmark_out_format=json >&2

echo "== flood ($flood_runs runs)" >&2
# On a desktop of its own, as the tests have, so that every notice box is a real X window.
for i in $(seq 1 "$flood_runs"); do
    mkdir -p "$scratch/flood$i"
    QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$scratch/flood$i" XDG_DATA_HOME="$scratch/flood$i" \
        timeout 180 "$python" -m tools.harness.desktop "$build/bench-flood" --json "$results/flood$i.json" \
        >/dev/null 2>"$scratch/flood$i.log" \
        || { echo "flood run $i failed:" >&2; cat "$scratch/flood$i.log" >&2; }
done

echo "== notices of the largest datagram ($runs runs)" >&2
QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$scratch" timeout 300 "$python" -m tools.harness.desktop \
    "$build/bench-notice" --runs "$runs" --json "$results/notice.json" >/dev/null

"$python" "$root/bench/report.py" "$results"
