#!/usr/bin/env bash
# Installs the Debian packages a step needs, and only those that are missing.
# Usage: tools/deps.sh build|package|test|bench|windows ...
# Debian 12 and 13 both have every name below: where Debian names a package
# after a version that differs between them (clang's runtimes), the
# unversioned name that depends on each release's own is used.
set -euo pipefail

# Which release, for anyone reading a failed install's log.
release=$( . /etc/os-release 2>/dev/null && echo "${PRETTY_NAME:-unknown}" ) || release=unknown
case "$release" in
    *"Debian GNU/Linux 12"* | *"Debian GNU/Linux 13"*) ;;
    *) echo "deps.sh: $release is neither Debian 12 nor 13; trying Debian's package names anyway" >&2 ;;
esac

build_packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev
                fonts-dejavu-core fonts-liberation)
# mount and procps (pkill) come with every installed Debian, not with a
# minimal system such as mmdebstrap's: the tests' wrappers and the harness use them.
test_packages=(mount procps strace libgtest-dev libgmock-dev googletest xvfb xauth x11-utils xdotool xclip dbus-x11
               at-spi2-core python3 python3-pyatspi python3-pytest python3-xlib e2fsprogs
               mvdsv ktx qstat desktop-file-utils diffoscope-minimal)
# The machine's faults at the save (libfiu) and a real window manager.
test_packages+=(fiu-utils openbox)
# The real game client that the end-to-end tests join the server with.
test_packages+=(ezquake)
# The compiler cache of the test command's builds.
test_packages+=(ccache)
# The chaos runs: the threads' stacks of a program that stopped answering.
test_packages+=(gdb)
# cpack's DEB generator runs dpkg-shlibdeps (dpkg-dev) on what file calls ELF;
# the package test checks the result with lintian, appstreamcli and man.
package_packages=(dpkg-dev file lintian appstream desktop-file-utils man-db)
bench_packages=(libbenchmark-dev imagemagick procps)
# libFuzzer and its sanitizer runtimes come with clang; the checks of the house
# style with clang-format and clang-tidy.
fuzz_packages=(clang libclang-rt-dev)
# One version on both releases for the house checks (see tools/lint.sh): the
# layout clang-format wants changes from version to version.
lint_packages=(clang-format-19 clang-tidy-19)
# The Windows build (mingw-w64, GoogleTest from source), its installer (nsis)
# and its run under Wine; fonts-wine gives Wine the classic dialog faces the
# layouts were drawn for.
windows_packages=(cmake ninja-build python3 g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
                  binutils-mingw-w64-x86-64 mingw-w64-tools googletest qt6-base-dev qt6-base-dev-tools xz-utils zip nsis
                  wine64 fonts-wine xvfb xauth xdotool x11-utils)

wanted=()
for step in "$@"; do
    case "$step" in
        build) wanted+=("${build_packages[@]}") ;;
        package) wanted+=("${build_packages[@]}" "${package_packages[@]}") ;;
        test) wanted+=("${build_packages[@]}" "${test_packages[@]}" "${package_packages[@]}" "${fuzz_packages[@]}"
                       "${lint_packages[@]}") ;;
        fuzz) wanted+=("${build_packages[@]}" "${fuzz_packages[@]}") ;;
        lint) wanted+=("${lint_packages[@]}") ;;
        bench) wanted+=("${build_packages[@]}" "${test_packages[@]}" "${bench_packages[@]}") ;;
        windows) wanted+=("${windows_packages[@]}") ;;
        *) echo "deps.sh: unknown step '$step'" >&2; exit 2 ;;
    esac
done

missing=()
for package in "${wanted[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
echo "deps.sh: $release: installing ${missing[*]}" >&2
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
