#!/usr/bin/env bash
# Installs what is missing, builds, and starts the launcher.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/deps.sh" build
"$root/tools/build.sh" -DTARVEX_BUILD_TESTS=OFF
exec "${TARVEX_BUILD_DIR:-$root/build}/play-tarvex"
