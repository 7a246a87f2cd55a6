#!/usr/bin/env bash
# Installs what is missing, builds a Release tree in build-package/ (or
# $TARVEX_PACKAGE_DIR) with Debian's hardening flags, and makes the Debian
# package there with cpack. Prints the package's path. Arguments go to cmake.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# With ccache, the tree's own root is the base: a clean tree of the same
# commit elsewhere (tools/release.sh) compiles with the same relative paths
# and hits this tree's objects. Debug paths are mapped to "." anyway, so the
# build folder is left out of the hash.
export CCACHE_BASEDIR=$root CCACHE_NOHASHDIR=1
build=${TARVEX_PACKAGE_DIR:-$root/build-package}

"$root/tools/deps.sh" package
# The same commit gives the same package: cpack stamps its entries with the
# commit's time, and the folders it packs do not follow the caller's umask.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct)}
umask 022
cd "$root"  # dpkg-buildflags maps this directory out of debug paths
# Every hardening feature Debian knows, as its own packages are built.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVEX_BUILD_TESTS=OFF \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" "$@" >/dev/null
cmake --build "$build" --parallel "$(nproc)" >&2
rm -f "$build"/*.deb
(cd "$build" && cpack >&2)
ls "$build"/*.deb
