#!/usr/bin/env bash
# The chaos run: a seeded monkey plays the sanitizer build (build-sanitize/,
# brought up to date here) while a loopback peer sends it hostile traffic;
# with --windows, the Windows build's portable play-tarvex.exe under Wine
# (build-win/, made by tools/windows-build.sh and tools/windows-portable.sh
# when missing) with the same steps. Both run as root: they mount the
# program's folder.
# Usage: tools/chaos.sh [--windows] SECONDS [SEED [--verbose]]   (SEED defaults to the day, YYYYMMDD)
# Replay a failure with the seed it printed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
windows=
if [ "${1:-}" = --windows ]; then
    windows=1
    shift
fi
seconds=${1:?usage: tools/chaos.sh [--windows] SECONDS [SEED]}
seed=${2:-$(date +%Y%m%d)}
echo "chaos seed: $seed"
cd "$root"
"$root/tools/deps.sh" test ${windows:+windows}
if [ -n "$windows" ]; then
    build=${TARVEX_WINDOWS_BUILD_DIR:-$root/build-win}
    if [ ! -f "$build/portable/play-tarvex-windows-x86_64/play-tarvex.exe" ]; then
        "$root/tools/windows-build.sh"
        "$root/tools/windows-portable.sh" >/dev/null
    fi
    export PATH=/usr/lib/wine:$PATH
    exec /usr/bin/python3 -m tools.chaos_windows "$seconds" "$seed" "${@:3}"
fi
cmake --preset sanitize >/dev/null && cmake --build --preset sanitize
exec /usr/bin/python3 -m tools.chaos "$seconds" "$seed" "${@:3}"
