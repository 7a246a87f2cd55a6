#!/usr/bin/env bash
# Makes the portable Windows folder: play-tarvex.exe with the Qt and mingw-w64
# runtime DLLs and plugins it loads, nothing else, and a zip of it. Builds
# first when the Windows build is missing. Prints the folder's path.
# Usage: tools/windows-portable.sh [output folder, default build-win/portable]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# The same commit gives the same folder and zip: every time stamp is the
# commit's (strip writes it into the PE headers too), modes do not follow
# the umask, entries are sorted, and zip stores no owner or extra times.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct)}
build=${TARVEX_WINDOWS_BUILD_DIR:-$root/build-win}
out=${1:-$build/portable}
name=play-tarvex-windows-x86_64

[ -f "$build/play-tarvex.exe" ] || "$root/tools/windows-build.sh" >&2
qt=$("$root/tools/windows-qt.sh")
runtime() { x86_64-w64-mingw32-g++-posix -print-file-name="$1"; }

folder=$out/$name
rm -rf "$folder" "$out/$name.zip"
mkdir -p "$folder/platforms" "$folder/imageformats"
cp "$build/play-tarvex.exe" "$folder/"
cp "$qt"/bin/Qt6{Core,Gui,Widgets,Network}.dll "$folder/"
cp "$qt/plugins/platforms/qwindows.dll" "$folder/platforms/"
# The help window's picture is a GIF.
cp "$qt/plugins/imageformats/qgif.dll" "$folder/imageformats/"
if [ -f "$qt/plugins/styles/qwindowsvistastyle.dll" ]; then
    mkdir -p "$folder/styles"
    cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$folder/styles/"
fi
cp "$(runtime libstdc++-6.dll)" "$(runtime libgcc_s_seh-1.dll)" "$(runtime libwinpthread-1.dll)" "$folder/"
# libstdc++ carries 20 MB of debug information.
x86_64-w64-mingw32-strip --strip-unneeded "$folder/play-tarvex.exe" "$folder"/lib*.dll

find "$folder" -type d -exec chmod 755 {} + -o -type f -exec chmod 644 {} +
find "$folder" -exec touch -d "@$SOURCE_DATE_EPOCH" {} +
(cd "$out" && find "$name" | LC_ALL=C sort | TZ=UTC zip -qX9 "$name.zip" -@)
echo "windows-portable: $folder ($(du -sh "$folder" | cut -f1)), $out/$name.zip ($(du -h "$out/$name.zip" | cut -f1))" >&2
echo "$folder"
