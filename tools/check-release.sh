#!/usr/bin/env bash
# Checks that a commit gives the same release wherever and whenever it is
# built: the package, Windows zip and installer that the test command built
# from this checkout (tools/package.sh, tools/windows-installer.sh) against
# those tools/release.sh builds from a clean tree of the commit in a folder
# of its own, later. On a difference, diffoscope shows where.
# Exits 0 when the SHA256SUMS agree, 1 when not, 3 when the checkout has
# uncommitted changes (its builds are not the commit's: nothing to compare).
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
package_dir=${TARVEX_PACKAGE_DIR:-$root/build-package}
windows_dir=${TARVEX_WINDOWS_BUILD_DIR:-$root/build-win}

if [ -n "$(git -C "$root" status --porcelain --untracked-files=no)" ]; then
    echo "check-release: uncommitted changes in $root; not compared"
    exit 3
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/checkout"
cp "$package_dir"/*.deb "$windows_dir/portable/play-tarvex-windows-x86_64.zip" \
    "$windows_dir/installer/play-tarvex-windows-x86_64-setup.exe" "$work/checkout/" || exit 1
(cd "$work/checkout" && sha256sum -- *.deb *.zip *.exe >SHA256SUMS)

env -u TARVEX_PACKAGE_DIR -u TARVEX_WINDOWS_BUILD_DIR "$root/tools/release.sh" "$work/release" >/dev/null || exit 1
if diff -u --label "this checkout" --label "tools/release.sh" "$work/checkout/SHA256SUMS" "$work/release/SHA256SUMS"
then
    echo "check-release: the same files:"
    cat "$work/release/SHA256SUMS"
    exit 0
fi
for file in "$work"/release/*; do
    name=$(basename "$file")
    [ "$name" = SHA256SUMS ] && continue
    cmp -s "$file" "$work/checkout/$name" && continue
    echo "== diffoscope $name (this checkout, tools/release.sh)"
    (cd "$work" && diffoscope --no-progress --timeout 120 --max-diff-block-lines 12 --max-text-report-size 8000 --text - "checkout/$name" "release/$name")
done
exit 1
