#!/usr/bin/env bash
# The chaos run: a seeded monkey plays the sanitizer build (build-sanitize/,
# brought up to date here) while a loopback peer sends it hostile traffic.
# Usage: tools/chaos.sh SECONDS [SEED [--verbose]]   (SEED defaults to the day, YYYYMMDD)
# Replay a failure with the seed it printed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:?usage: tools/chaos.sh SECONDS [SEED]}
seed=${2:-$(date +%Y%m%d)}
echo "chaos seed: $seed"
"$root/tools/deps.sh" test
cd "$root"
cmake --preset sanitize >/dev/null && cmake --build --preset sanitize
exec /usr/bin/python3 -m tools.chaos "$seconds" "$seed" "${@:3}"
