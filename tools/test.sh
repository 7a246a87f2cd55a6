#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test:
#   - the house checks: clang-format, the include directions, clang-tidy;
#   - unit and widget tests (ctest, offscreen) built with AddressSanitizer and
#     UndefinedBehaviorSanitizer, warnings as errors;
#   - a 60-second chaos run of that sanitizer build (tools/chaos.sh), and one
#     of the Windows build under Wine (tools/chaos.sh --windows);
#   - the Debian package of tools/package.sh, whose Release build is also what
#     the end-to-end tests run: the real executable under an Xvfb and D-Bus
#     session of their own, against real servers and a real game client on
#     127.0.0.1; they also install, start and purge the package, and drive the
#     Windows build's portable play-tarvex.exe and installer under Wine;
#   - the Windows build, its installer, its unit and widget tests under Wine;
#   - each fuzz target for 30 seconds from its corpus;
#   - a release of the commit from a clean tree (tools/release.sh), which must
#     equal the builds above bit for bit.
# Ends with "N passed, N failed"; exits non-zero on any failure.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
sanitized=$root/build-sanitize
export TARVEX_PACKAGE_DIR=${TARVEX_PACKAGE_DIR:-$root/build-package}

"$root/tools/deps.sh" test windows || exit 1

reports=$(mktemp -d)
background=()
cleanup() {
    for pid in "${background[@]}"; do
        kill "$pid" 2>/dev/null
    done
    rm -rf "$reports"
}
trap cleanup EXIT

# A step that is not a test runner of its own counts as one test case.
record() {  # NAME STATUS LOG
    local failure=""
    if [ "$2" -ne 0 ]; then
        failure='<failure message="failed"/>'
        echo "-- $1 failed:"
        tail -n 40 "$3"
    fi
    printf '<testsuite name="%s"><testcase classname="checks" name="%s">%s</testcase></testsuite>\n' \
        "$1" "$1" "$failure" >"$reports/$1.xml"
}

echo "== house checks"
"$root/tools/lint.sh" format >"$reports/format.log" 2>&1
record clang-format $? "$reports/format.log"

echo "== unit and widget tests under AddressSanitizer and UndefinedBehaviorSanitizer"
if (cd "$root" && cmake --preset sanitize >/dev/null && cmake --build --preset sanitize --parallel "$(nproc)"); then
    (cd "$sanitized" && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
        ctest --output-on-failure --parallel "$(nproc)" --output-junit "$reports/ctest.xml")
    ctest_status=$?
else
    ctest_status=1
fi

# clang-tidy, the fuzzers and the release build take CPU, not the screen:
# they run beside the later steps. Not at a lower priority: behind other
# work on a busy machine that would starve them for an hour.
"$root/tools/lint.sh" tidy "$sanitized" >"$reports/tidy.log" 2>&1 &
tidy_pid=$!
background+=("$tidy_pid")

# The chaos run plays the sanitizer build for 60 seconds on a desktop of its
# own, beside the package and Windows builds; the seed of the day, which
# "tools/chaos.sh SECONDS SEED" replays.
echo "== chaos run: the sanitizer build played at random for 60 s, in the background"
"$root/tools/chaos.sh" 60 >"$reports/chaos.log" 2>&1 &
chaos_pid=$!
background+=("$chaos_pid")

echo "== Debian package"
if "$root/tools/package.sh" -DTARVEX_WERROR=ON >"$reports/package.log" 2>&1; then
    package_status=0
else
    package_status=1
    # No stale package for the end-to-end tests to install.
    rm -f "$TARVEX_PACKAGE_DIR"/*.deb
fi
record package $package_status "$reports/package.log"

"$root/tools/fuzz.sh" --check 30 >"$reports/fuzz.log" 2>&1 &
fuzz_pid=$!
background+=("$fuzz_pid")

# Reproducible releases: tools/release.sh builds the commit again from a clean
# tree in a folder of its own, behind the other steps; at the end its files
# must equal this checkout's. A checkout with uncommitted changes is not the
# commit: then nothing is compared.
release_pid=
if git -C "$root" diff --quiet HEAD; then
    "$root/tools/release.sh" "$reports/release" >"$reports/release-build.log" 2>&1 &
    release_pid=$!
    background+=("$release_pid")
fi

# The Windows build takes CPU for minutes and the Linux end-to-end tests
# mostly wait for windows: they run side by side. The tests of the Windows
# build's portable folder and installer come after it.
echo "== Windows build, its unit and widget tests under Wine, in the background"
"$root/tools/test-windows.sh" "$reports" >"$reports/windows.log" 2>&1 &
windows_pid=$!
background+=("$windows_pid")

windows_e2e=(tests/e2e/test_windows.py tests/e2e/test_windows_installer.py)
e2e() {  # JUNIT PYTEST-ARGUMENTS...
    local junit=$1
    shift
    # The Debian python3 has the accessibility bindings; a python3 earlier on PATH may not.
    (cd "$root" && TARVEX_BUILD_DIR=$TARVEX_PACKAGE_DIR /usr/bin/python3 -m pytest -q -p no:cacheprovider \
        -W ignore::DeprecationWarning --junitxml="$reports/$junit" "$@")
}
echo "== end-to-end tests"
e2e e2e.xml tests/e2e "${windows_e2e[@]/#/--ignore=}"
e2e_status=$?

wait "$windows_pid"
windows_status=$?
cat "$reports/windows.log"
# The Windows build played at random for 60 s on the seed of the day, beside
# its end-to-end tests (a desktop and a Wine prefix of its own);
# "tools/chaos.sh --windows SECONDS SEED" replays it.
chaos_windows_pid=
if [ $windows_status -eq 0 ]; then
    echo "== chaos run of the Windows build: 60 s, in the background"
    "$root/tools/chaos.sh" --windows 60 >"$reports/chaos-windows.log" 2>&1 &
    chaos_windows_pid=$!
    background+=("$chaos_windows_pid")
fi
echo "== end-to-end tests of the Windows build"
e2e e2e-windows.xml "${windows_e2e[@]}" || e2e_status=1
if [ -n "$chaos_windows_pid" ]; then
    wait "$chaos_windows_pid"
    chaos_windows_status=$?
    grep -E "^chaos (seed|FAILED)|^chaos: passed" "$reports/chaos-windows.log"
    record chaos-windows $chaos_windows_status "$reports/chaos-windows.log"
else
    echo "-- chaos run of the Windows build skipped: the Windows build failed"
    printf '<testsuite name="chaos-windows"><testcase classname="checks" name="chaos-windows"><skipped message="no Windows build"/></testcase></testsuite>\n' \
        >"$reports/chaos-windows.xml"
fi

wait "$chaos_pid"
chaos_status=$?
grep -E "^chaos (seed|FAILED)|^chaos: passed" "$reports/chaos.log"
record chaos $chaos_status "$reports/chaos.log"
wait "$tidy_pid"
record clang-tidy $? "$reports/tidy.log"
wait "$fuzz_pid"
record fuzz $? "$reports/fuzz.log"
cat "$reports/fuzz.log"
if [ -n "$release_pid" ]; then
    wait "$release_pid" && "$root/tools/check-release.sh" "$reports/release" >>"$reports/release.log" 2>&1
    release_status=$?
    [ $release_status -eq 0 ] || cat "$reports/release-build.log" "$reports/release.log" 2>/dev/null | tail -n 250
    record release $release_status /dev/null
else
    echo "-- release not compared: uncommitted changes"
    printf '<testsuite name="release"><testcase classname="checks" name="release"><skipped/></testcase></testsuite>\n' \
        >"$reports/release.xml"
fi
background=()

/usr/bin/python3 "$root/tools/summarise-junit.py" "$reports"/{clang-format,ctest,package,windows-unit,windows-widget,e2e,e2e-windows,chaos,chaos-windows,clang-tidy,fuzz,release}.xml
summary_status=$?
if [ $ctest_status -ne 0 ] || [ $package_status -ne 0 ] || [ $windows_status -ne 0 ] || [ $e2e_status -ne 0 ] \
        || [ $summary_status -ne 0 ]; then
    exit 1
fi
