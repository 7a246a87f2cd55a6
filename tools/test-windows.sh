#!/usr/bin/env bash
# Builds the Windows launcher and its tests (tools/windows-build.sh), makes the
# portable folder and the installer, and runs the unit and widget tests under
# Wine on an Xvfb of its own, writing GoogleTest's JUnit reports into the
# folder given (default build-win/reports). tests/e2e/test_windows.py then runs
# the real play-tarvex.exe from the portable folder in the same Wine prefix;
# tests/e2e/test_windows_installer.py installs it in a prefix of its own.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TARVEX_WINDOWS_BUILD_DIR:-$root/build-win}
reports=$(mkdir -p "${1:-$build/reports}" && cd "${1:-$build/reports}" && pwd)
rm -f "$reports"/windows-*.xml

"$root/tools/windows-build.sh" || exit 1
"$root/tools/windows-installer.sh" >/dev/null || exit 1
qt=$("$root/tools/windows-qt.sh") || exit 1

# Debian's wine64 keeps its programs out of PATH; "wine" would need the
# 32-bit package as well.
export PATH=/usr/lib/wine:$PATH
export WINEPREFIX=$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Wine finds the DLLs through WINEPATH rather than copies beside each test.
winpath() { echo "Z:${1//\//\\}"; }
runtime_dir() { dirname "$(realpath "$(x86_64-w64-mingw32-g++-posix -print-file-name="$1")")"; }
export WINEPATH="$(winpath "$qt/bin");$(winpath "$(runtime_dir libstdc++-6.dll)");$(winpath "$(runtime_dir libwinpthread-1.dll)")"

# Wine creates windows even for Qt's windowless platforms, so it needs a display.
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$display_file" 2>/dev/null &
xvfb_pid=$!
finish() {
    wineserver -k 2>/dev/null
    kill "$xvfb_pid" 2>/dev/null
    rm -f "$display_file"
}
for _ in $(seq 100); do
    [ -s "$display_file" ] && break
    sleep 0.1
done
[ -s "$display_file" ] || { echo "test-windows: Xvfb did not start" >&2; finish; exit 1; }
export DISPLAY=:$(head -n1 "$display_file")
trap finish EXIT

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "== booting the Wine prefix $WINEPREFIX"
    wine64 wineboot -i >/dev/null 2>&1
    wineserver -w
fi
# A crash prints winedbg's backtrace and ends the test, instead of waiting
# for a crash dialog nobody reads.
wine64 reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1

status=0
run() {  # run NAME EXE ARGS...: GoogleTest's output cannot be read from a pipe under Wine, only from a file
    local name=$1 exe=$2
    shift 2
    timeout 300 wine64 "$exe" "$@" --gtest_output="xml:$(winpath "$reports/windows-$name.xml")" \
        >"$reports/windows-$name.log" 2>&1
    local code=$?
    echo "$name: exit $code (log: $reports/windows-$name.log)"
    [ $code -eq 0 ] || status=1
}
echo "== Windows unit and widget tests under Wine"
run unit "$build/tests/unit/unit_tests.exe"
# This Qt carries no offscreen plugin; "minimal" with the system's fonts
# draws nothing, yet lays text out with Windows' own font metrics.
run widget "$build/tests/widget/widget_tests.exe" -platform minimal:enable_fonts \
    --gtest_filter="$(cat "$build/tests/widget/widget_tests.gtest-filter")"
exit $status
