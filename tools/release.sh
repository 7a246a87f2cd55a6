#!/usr/bin/env bash
# Makes a release of the commit checked out: the Debian package, the Windows
# zip and the Windows installer, built from a clean tree of that commit (an
# uncommitted edit cannot leak in), with their SHA256SUMS, in one folder
# (default build-release/). The same commit gives the same files, bit for
# bit, wherever and whenever it is built. Prints SHA256SUMS.
# Usage: tools/release.sh [folder]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build-release}
commit=$(git -C "$root" rev-parse HEAD)
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct "$commit")}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
src=$work/play-tarvex
mkdir "$src"
git -C "$root" archive "$commit" | tar -x -C "$src"
# The Windows build looks for Qt for Windows beside the tree, as beside a clone.
if [ -d "$root/../shared" ]; then
    ln -s "$(cd "$root/../shared" && pwd)" "$work/shared"
fi

deb=$(TARVEX_PACKAGE_DIR=$src/build-package "$src/tools/package.sh")
export TARVEX_WINDOWS_BUILD_DIR=$src/build-win
"$src/tools/windows-build.sh" -DTARVEX_BUILD_TESTS=OFF >&2
installer=$("$src/tools/windows-installer.sh")

mkdir -p "$out"
rm -f "$out"/*.deb "$out"/*.zip "$out"/*.exe "$out/SHA256SUMS"
cp "$deb" "$TARVEX_WINDOWS_BUILD_DIR/portable/play-tarvex-windows-x86_64.zip" "$installer" "$out/"
(cd "$out" && sha256sum -- *.deb *.zip *.exe >SHA256SUMS && cat SHA256SUMS)
