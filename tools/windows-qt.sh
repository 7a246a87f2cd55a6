#!/usr/bin/env bash
# Makes Qt for Windows (mingw-w64) ready in a cache folder and prints its path.
# Unpacks ../shared/windows/qt6-mingw-*.tar.xz beside the repository only when
# the cache lacks it; without the tarball, builds Qt with the shared recipe
# there (about 15 minutes on 2 cores).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
shared=$root/../shared/windows
cache=${XDG_CACHE_HOME:-$HOME/.cache}/tarvex
qt=$cache/qt6-mingw

mkdir -p "$cache"
# The test command builds twice at once (tools/release.sh): one unpacks, the
# other waits for it.
exec 9>"$cache/qt6-mingw.lock"
flock 9
if [ ! -f "$qt/.complete" ]; then
    rm -rf "$qt" "$qt.part"
    tarball=$(ls "$shared"/qt6-mingw-*-x86_64.tar.xz 2>/dev/null | head -n1 || true)
    if [ -n "$tarball" ]; then
        echo "windows-qt: unpacking $tarball into $cache" >&2
        mkdir -p "$qt.part"
        tar -xJf "$tarball" -C "$qt.part" --strip-components=1
    elif [ -x "$shared/build-qt-mingw.sh" ]; then
        echo "windows-qt: no tarball in $shared; building Qt with build-qt-mingw.sh" >&2
        W=$cache/qt-build TARBALL=0 "$shared/build-qt-mingw.sh" >&2
        mv "$cache/qt-build/qt6-mingw" "$qt.part"
    else
        echo "windows-qt: neither a Qt tarball nor build-qt-mingw.sh in $shared" >&2
        exit 1
    fi
    mv "$qt.part" "$qt"
    touch "$qt/.complete"
fi
echo "$qt"
