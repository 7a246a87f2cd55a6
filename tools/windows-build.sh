#!/usr/bin/env bash
# Cross-builds the launcher and its tests for Windows (x86_64, mingw-w64)
# into build-win/ (or $TARVEX_WINDOWS_BUILD_DIR), against the Qt that
# tools/windows-qt.sh makes ready. Extra arguments go to CMake.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# The compiler cache's base, as in tools/package.sh.
export CCACHE_BASEDIR=$root CCACHE_NOHASHDIR=1
build=${TARVEX_WINDOWS_BUILD_DIR:-$root/build-win}
"$root/tools/deps.sh" windows
qt=$("$root/tools/windows-qt.sh")
# Release without debug information: the tests run the build, nobody steps
# through it, and it links faster. No path of this checkout in the program
# (__FILE__): the same commit gives the same executable in any folder.
"$qt/bin/qt-cmake" --no-warn-unused-cli -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_FLAGS="-ffile-prefix-map=$root=." \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DQT_HOST_PATH=/usr "$@" >/dev/null
cmake --build "$build" --parallel "$(nproc)"
