#!/usr/bin/env bash
# Makes the Windows installer with makensis: the files of the portable folder
# (tools/windows-portable.sh, which it runs first), an uninstaller that
# removes exactly those, a Start-menu shortcut and an Apps & features entry.
# Prints its path: build-win/installer/play-tarvex-windows-x86_64-setup.exe.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TARVEX_WINDOWS_BUILD_DIR:-$root/build-win}
out=$build/installer
"$root/tools/deps.sh" windows
folder=$("$root/tools/windows-portable.sh")

mkdir -p "$out"
rm -f "$out"/*.exe
# One File line per file, and for the uninstaller one Delete line per file,
# then the folders deepest first (RMDir leaves a folder that is not empty).
files=$out/files.nsh unfiles=$out/unfiles.nsh
: >"$files"
: >"$unfiles"
while IFS= read -r path; do
    dir=$(dirname "$path")
    [ "$dir" = . ] && dir= || dir=\\${dir//\//\\}
    printf 'SetOutPath "$INSTDIR%s"\nFile "%s"\n' "$dir" "$folder/$path" >>"$files"
    printf 'Delete "$INSTDIR\\%s"\n' "${path//\//\\}" >>"$unfiles"
done < <(cd "$folder" && find . -type f -printf '%P\n' | LC_ALL=C sort)
(cd "$folder" && find . -mindepth 1 -type d -printf '%P\n' | LC_ALL=C sort -r) | while IFS= read -r dir; do
    printf 'RMDir "$INSTDIR\\%s"\n' "${dir//\//\\}" >>"$unfiles"
done

installer=$out/play-tarvex-windows-x86_64-setup.exe
makensis -V2 -NOCD -DOUTFILE="$installer" -DFILES="$files" -DUNFILES="$unfiles" "$build/play-tarvex.nsi" >&2
echo "windows-installer: $installer ($(du -h "$installer" | cut -f1))" >&2
echo "$installer"
