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
# Ends with each step's seconds and "N passed, N failed"; exits non-zero on
# any failure. Every step runs in a process group of its own; on any exit,
# Ctrl+C included, the groups are stopped and nothing of the run is left.
set -uo pipefail

# Daemons that the steps start (D-Bus, the accessibility bus, Wine's server)
# leave their step's group; as a child subreaper this shell inherits them
# instead of init, so the clean-up finds them too.
if [ -z "${TARVEX_TEST_REAPER:-}" ]; then
    # The packages first: a fresh system may not have python3 yet.
    "$(dirname "$0")/deps.sh" test windows || exit 1
    export TARVEX_TEST_REAPER=$$
    exec /usr/bin/python3 -c 'import ctypes, os, sys
ctypes.CDLL(None).prctl(36, 1, 0, 0, 0)  # PR_SET_CHILD_SUBREAPER
os.execv("/bin/bash", ["bash", *sys.argv[1:]])' "$0" "$@"
fi

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root" || exit 2
sanitized=$root/build-sanitize
export TARVEX_PACKAGE_DIR=${TARVEX_PACKAGE_DIR:-$root/build-package}

# Every compiler call goes through ccache: the release's clean tree compiles
# the same sources as this checkout (tools/package.sh and
# tools/windows-build.sh give each tree's root as the base directory).
if command -v ccache >/dev/null; then
    export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache
fi

reports=$(mktemp -d)
declare -A pids=()
order=()

# The programs of this run: every process below this shell, the steps'
# daemons included; not this lookup itself.
descendants() {
    ps -eo pid=,ppid= | awk -v top=$$ -v self="$BASHPID" '
        { parent[$1] = $2 }
        END {
            for (pid in parent) {
                for (p = pid; p in parent && p != top && p != self && p > 1; p = parent[p]) {}
                if (p == top && pid != top) print pid
            }
        }'
}
stop_everything() {
    # A second Ctrl+C, or the terminal closing, must not cut the clean-up short.
    trap '' INT TERM HUP
    # Ctrl+C's own signal first to the steps still running: the test runners
    # answer it by closing their desktops and servers. Whatever is left after
    # that is killed.
    local deadline=$SECONDS left
    for name in "${!pids[@]}"; do
        kill -INT -- "-${pids[$name]}" 2>/dev/null
        deadline=$((SECONDS + 20))
    done
    while left=$(descendants) && [ -n "$left" ] && [ $SECONDS -lt $deadline ]; do
        sleep 0.5
    done
    for signal in TERM KILL; do
        left=$(descendants)
        [ -z "$left" ] && break
        kill -"$signal" $left 2>/dev/null
        sleep 1
    done
    rm -rf "$reports"
}
trap stop_everything EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

# start NAME LOG COMMAND...: runs COMMAND in a session of its own (so in a
# process group of its own), its output in LOG, "-" for this one's. The step
# notes its own seconds: it may end long before the run waits for it.
timed='start=$SECONDS; "$@"; status=$?; echo $((SECONDS - start)) >"$0"; exit $status'
start() {
    local name=$1 log=$2
    shift 2
    order+=("$name")
    if [ "$log" = - ]; then
        setsid -w bash -c "$timed" "$reports/$name.seconds" "$@" </dev/null &
    else
        setsid -w bash -c "$timed" "$reports/$name.seconds" "$@" </dev/null >"$log" 2>&1 &
    fi
    pids[$name]=$!
}
# finish NAME: waits for the step and returns its status.
finish() {
    wait "${pids[$1]}"
    local status=$?
    unset "pids[$1]"
    return $status
}

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
start clang-format "$reports/format.log" tools/lint.sh format
finish clang-format
record clang-format $? "$reports/format.log"

echo "== sanitizer build"
start sanitize-build - bash -c 'cmake --preset sanitize >/dev/null && cmake --build --preset sanitize --parallel "$(nproc)"'
finish sanitize-build
build_status=$?

# The unit and widget tests, clang-tidy and the fuzzers take CPU; the package
# build beside them is what the end-to-end tests wait for.
echo "== Debian package, unit and widget tests, clang-tidy, fuzzing, chaos run: side by side"
start package "$reports/package.log" tools/package.sh -DTARVEX_WERROR=ON
ctest_status=1
if [ $build_status -eq 0 ]; then
    start ctest "$reports/ctest.log" env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 \
        UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir "$sanitized" --output-on-failure --parallel "$(nproc)" \
        --output-junit "$reports/ctest.xml"
fi
start clang-tidy "$reports/tidy.log" tools/lint.sh tidy "$sanitized"
start fuzz "$reports/fuzz.log" tools/fuzz.sh --check 30
# The chaos run plays the sanitizer build for 60 seconds on a desktop of its
# own; the seed of the day, which "tools/chaos.sh SECONDS SEED" replays.
start chaos "$reports/chaos.log" tools/chaos.sh 60

finish package
package_status=$?
# No stale package for the end-to-end tests to install.
[ $package_status -eq 0 ] || rm -f "$TARVEX_PACKAGE_DIR"/*.deb
record package $package_status "$reports/package.log"

# The Linux end-to-end tests mostly wait for windows; the Windows build takes
# the CPU beside them.
windows_e2e=(tests/e2e/test_windows.py tests/e2e/test_windows_installer.py)
e2e() {  # NAME JUNIT PYTEST-ARGUMENTS...
    local name=$1 junit=$2
    shift 2
    # The Debian python3 has the accessibility bindings; a python3 earlier on PATH may not.
    start "$name" "$reports/$name.log" env TARVEX_BUILD_DIR="$TARVEX_PACKAGE_DIR" /usr/bin/python3 -m pytest -q \
        -p no:cacheprovider -W ignore::DeprecationWarning --junitxml="$reports/$junit" "$@"
}
echo "== end-to-end tests, Windows build"
e2e e2e e2e.xml tests/e2e "${windows_e2e[@]/#/--ignore=}"
start windows-build "$reports/windows-build.log" tools/windows-build.sh
finish windows-build
windows_status=$?

# Reproducible releases: tools/release.sh builds the commit again from a clean
# tree in a folder of its own; its files must equal this checkout's. Started
# once this checkout's builds are in the compiler cache. A checkout with
# uncommitted changes is not the commit: then nothing is compared.
if git diff --quiet HEAD; then
    start release "$reports/release-build.log" tools/release.sh "$reports/release"
fi
echo "== Windows unit and widget tests under Wine"
if [ $windows_status -eq 0 ]; then
    start windows-tests "$reports/windows.log" tools/test-windows.sh "$reports"
    finish windows-tests
    windows_status=$?
fi
cat "$reports/windows-build.log" "$reports/windows.log" 2>/dev/null | grep -E '^(FAILED|[a-z]+: exit|test-windows)|error:'

# The Windows build played at random for 60 s on the seed of the day, beside
# the end-to-end tests (a desktop and a Wine prefix of its own);
# "tools/chaos.sh --windows SECONDS SEED" replays it.
if [ $windows_status -eq 0 ]; then
    echo "== chaos run of the Windows build: 60 s, beside the end-to-end tests"
    start chaos-windows "$reports/chaos-windows.log" tools/chaos.sh --windows 60
fi
finish e2e
e2e_status=$?
grep -E '^[0-9]+ (passed|failed)|^(FAILED|ERROR) ' "$reports/e2e.log"
echo "== end-to-end tests of the Windows build"
e2e e2e-windows e2e-windows.xml "${windows_e2e[@]}"
finish e2e-windows || e2e_status=1
grep -E '^[0-9]+ (passed|failed)|^(FAILED|ERROR) ' "$reports/e2e-windows.log"
if [ -n "${pids[chaos-windows]:-}" ]; then
    finish chaos-windows
    chaos_windows_status=$?
    grep -E "^chaos (seed|FAILED)|^chaos: passed" "$reports/chaos-windows.log"
    record chaos-windows $chaos_windows_status "$reports/chaos-windows.log"
else
    echo "-- chaos run of the Windows build skipped: the Windows build failed"
    printf '<testsuite name="chaos-windows"><testcase classname="checks" name="chaos-windows"><skipped message="no Windows build"/></testcase></testsuite>\n' \
        >"$reports/chaos-windows.xml"
fi

if [ -n "${pids[ctest]:-}" ]; then
    finish ctest
    ctest_status=$?
    grep -E 'tests passed|tests failed|\*\*\*Failed|Failed  ' "$reports/ctest.log"
fi
finish chaos
chaos_status=$?
grep -E "^chaos (seed|FAILED)|^chaos: passed" "$reports/chaos.log"
record chaos $chaos_status "$reports/chaos.log"
finish clang-tidy
record clang-tidy $? "$reports/tidy.log"
finish fuzz
record fuzz $? "$reports/fuzz.log"
cat "$reports/fuzz.log"
if [ -n "${pids[release]:-}" ]; then
    finish release && tools/check-release.sh "$reports/release" >>"$reports/release.log" 2>&1
    release_status=$?
    [ $release_status -eq 0 ] || cat "$reports/release-build.log" "$reports/release.log" 2>/dev/null | tail -n 250
    record release $release_status /dev/null
else
    echo "-- release not compared: uncommitted changes"
    printf '<testsuite name="release"><testcase classname="checks" name="release"><skipped/></testcase></testsuite>\n' \
        >"$reports/release.xml"
fi

echo "== seconds per step (side by side from the sanitizer build on), $SECONDS s in all"
for name in "${order[@]}"; do
    printf '%-15s %5s s\n' "$name" "$(cat "$reports/$name.seconds" 2>/dev/null)"
done
/usr/bin/python3 "$root/tools/summarise-junit.py" "$reports"/{clang-format,ctest,package,windows-unit,windows-widget,e2e,e2e-windows,chaos,chaos-windows,clang-tidy,fuzz,release}.xml
summary_status=$?
if [ $ctest_status -ne 0 ] || [ $package_status -ne 0 ] || [ $windows_status -ne 0 ] || [ $e2e_status -ne 0 ] \
        || [ $summary_status -ne 0 ]; then
    exit 1
fi
