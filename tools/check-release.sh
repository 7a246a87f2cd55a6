#!/usr/bin/env bash
# Checks that a commit gives the same release wherever and whenever it is
# built: compares the files of tools/release.sh's folder with the package,
# Windows zip and installer built from this checkout (tools/package.sh,
# tools/windows-installer.sh), in another folder at another time. Shows
# diffoscope's view of each file that differs. The test command runs it.
# Usage: tools/release.sh FOLDER && tools/check-release.sh FOLDER
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
release=$(cd "${1:?usage: tools/check-release.sh RELEASE_FOLDER}" && pwd) || exit 1
package_dir=${TARVEX_PACKAGE_DIR:-$root/build-package}
windows_dir=${TARVEX_WINDOWS_BUILD_DIR:-$root/build-win}

checkout=$(mktemp -d)
trap 'rm -rf "$checkout"' EXIT
cp "$package_dir"/*.deb "$windows_dir/portable/play-tarvex-windows-x86_64.zip" \
    "$windows_dir/installer/play-tarvex-windows-x86_64-setup.exe" "$checkout/" || exit 1
(cd "$checkout" && sha256sum -- *.deb *.zip *.exe >SHA256SUMS)

if diff -u --label "this checkout" --label "tools/release.sh" "$checkout/SHA256SUMS" "$release/SHA256SUMS"; then
    echo "check-release: the same files"
    exit 0
fi
for file in "$release"/*; do
    name=$(basename "$file")
    [ "$name" = SHA256SUMS ] || cmp -s "$file" "$checkout/$name" && continue
    echo "== diffoscope $name: this checkout, tools/release.sh"
    diffoscope --no-progress --timeout 120 --text - "$checkout/$name" "$file" | head -n 60
done
exit 1
