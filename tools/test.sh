#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: unit and widget tests
# (ctest, offscreen), the Debian package of tools/package.sh, the Windows
# build's under Wine, and end-to-end tests (the real executable, Linux and
# Windows, under an Xvfb and D-Bus session of their own; they also install,
# start and purge the package). Ends with "N passed, N failed"; exits non-zero
# on any failure.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TARVEX_BUILD_DIR:-$root/build}
export TARVEX_BUILD_DIR=$build

"$root/tools/deps.sh" test || exit 1
"$root/tools/build.sh" -DTARVEX_BUILD_TESTS=ON || { echo "0 passed, 1 failed"; exit 1; }

reports=$(mktemp -d)
trap 'rm -rf "$reports"' EXIT

echo "== unit and widget tests"
(cd "$build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)" \
    --output-junit "$reports/ctest.xml")
ctest_status=$?

echo "== unit tests under AddressSanitizer and UndefinedBehaviorSanitizer"
sanitized=${build}-sanitize
if TARVEX_BUILD_DIR=$sanitized "$root/tools/build.sh" -DTARVEX_BUILD_GUI=OFF -DTARVEX_SANITIZE=ON \
        -DCMAKE_BUILD_TYPE=Debug; then
    (cd "$sanitized" && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
        ctest --output-on-failure --parallel "$(nproc)" --output-junit "$reports/sanitize.xml")
    sanitize_status=$?
else
    sanitize_status=1
fi

echo "== Debian package"
export TARVEX_PACKAGE_DIR=${TARVEX_PACKAGE_DIR:-$root/build-package}
if "$root/tools/package.sh" >"$reports/package.log" 2>&1; then
    package_status=0
    failure=""
else
    package_status=1
    failure='<failure message="tools/package.sh failed"/>'
    tail -n 40 "$reports/package.log"
    # No stale package for the end-to-end tests to install.
    rm -f "$TARVEX_PACKAGE_DIR"/*.deb
fi
printf '<testsuite name="package"><testcase classname="package" name="tools/package.sh">%s</testcase></testsuite>\n' \
    "$failure" >"$reports/package.xml"

echo "== Windows build, its unit and widget tests under Wine"
# Before the end-to-end tests: they run the portable play-tarvex.exe it makes.
"$root/tools/test-windows.sh" "$reports"
windows_status=$?

echo "== end-to-end tests"
# The Debian python3 has the accessibility bindings; a python3 earlier on PATH may not.
(cd "$root" && /usr/bin/python3 -m pytest tests/e2e -q -p no:cacheprovider -W ignore::DeprecationWarning \
    --junitxml="$reports/e2e.xml")
e2e_status=$?

/usr/bin/python3 "$root/tools/summarise-junit.py" "$reports/ctest.xml" "$reports/sanitize.xml" \
    "$reports/package.xml" "$reports/windows-unit.xml" "$reports/windows-widget.xml" "$reports/e2e.xml"
summary_status=$?
if [ $ctest_status -ne 0 ] || [ $sanitize_status -ne 0 ] || [ $package_status -ne 0 ] \
        || [ $windows_status -ne 0 ] || [ $e2e_status -ne 0 ] || [ $summary_status -ne 0 ]; then
    exit 1
fi
