#!/usr/bin/env bash
# Runs the README's test command as CI would, in a fresh Debian 13 system made
# with mmdebstrap in a temporary folder: a clean clone of this checkout's
# current commit and a copy of ../shared beside it inside, `CI=true bash
# .ci/run` there. Then installs the Debian package built on this machine (the
# path given, or one tools/package.sh builds first) into that system and
# starts it on an Xvfb, checking that its main window shows.
# Prints the test command's last line and the time taken; exits non-zero when
# the test command or the start fails. Everything it made (the mounts
# included) is removed on any exit; the run's log is kept.
# Usage: tools/debian13.sh [PACKAGE.deb]   (as root: it makes a system and
# chroots into it; TMPDIR says where the system goes, about 6 GiB)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
[ "$(id -u)" -eq 0 ] || exec sudo "$0" "$@"
shared=$(cd "$root/../shared" 2>/dev/null && pwd) || { echo "debian13: no ../shared beside $root" >&2; exit 2; }
commit=$(git -C "$root" rev-parse HEAD) || exit 2
if [ $# -gt 0 ]; then
    deb=$(realpath "$1") && [ -f "$deb" ] || { echo "debian13: no package $1" >&2; exit 2; }
else
    deb=$("$root/tools/package.sh" | tail -n 1) && [ -f "$deb" ] || { echo "debian13: tools/package.sh failed" >&2; exit 2; }
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/debian13.XXXXXX")
system=$work/system
log=$(mktemp "${TMPDIR:-/tmp}/debian13-${commit:0:10}.XXXXXX.log")
mounts=()
cleanup() {
    local status=$?
    trap - EXIT INT TERM HUP
    # What the run left running inside (the Wine server, a D-Bus daemon)
    # holds the mounts: every process whose root is the system goes first.
    for proc in /proc/[0-9]*; do
        [ "$(readlink "$proc/root" 2>/dev/null)" = "$system" ] && kill -KILL "${proc#/proc/}" 2>/dev/null
    done
    for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
        umount "${mounts[i]}" 2>/dev/null || umount --lazy "${mounts[i]}"
    done
    # Never through a mount that failed to go: the host's /dev or /proc.
    rm -rf --one-file-system "$work"
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

in_system() {  # COMMAND...: run in the system with a clean environment, as a CI job starts
    chroot "$system" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        LANG=C.UTF-8 TERM=dumb CI=true "$@"
}

echo "debian13: making a Debian 13 system in $system"
mmdebstrap --quiet --variant=apt --include=ca-certificates,git trixie "$system" || exit 2
# The machine's own name on loopback, as an installed system has it: the game
# client looks it up, and the tests' traffic stays on loopback.
printf '127.0.0.1\tlocalhost\n127.0.1.1\t%s\n::1\tlocalhost ip6-localhost ip6-loopback\n' "$(hostname)" \
    >"$system/etc/hosts" || exit 2
# The system's root a mount point of its own, as an installed system's is:
# "unshare --mount" (the tests' wrappers) fails in a chroot whose root is not.
mount --bind "$system" "$system" || exit 2
mounts+=("$system")
for mount in proc sys dev dev/pts dev/shm; do
    mount --bind "/$mount" "$system/$mount" || exit 2
    mounts+=("$system/$mount")
done
mkdir -p "$system/work"
git clone -q --no-hardlinks "$root" "$system/work/repo" && git -C "$system/work/repo" checkout -q --detach "$commit" \
    || exit 2
cp -r "$shared" "$system/work/shared" || exit 2

echo "debian13: the test command of ${commit:0:10}; log $log"
start=$(date +%s)
# In the background: a signal to this script then ends the wait at once, and
# the clean-up stops the run, instead of waiting for the run to end.
in_system bash -c 'cd /work/repo && bash .ci/run' >"$log" 2>&1 &
wait $!
status=$?
elapsed=$(($(date +%s) - start))
echo "debian13: $((elapsed / 60)) min $((elapsed % 60)) s, status $status; its last line:"
tail -n 1 "$log"

echo "debian13: installing $deb into the Debian 13 system and starting it"
cp "$deb" "$system/tmp/" || exit 2
started=1
# The desktop of the harness: an Xvfb and a D-Bus session of its own.
if in_system apt-get install -y -q "/tmp/$(basename "$deb")" >>"$log" 2>&1 &&
    in_system bash -c 'cd /work/repo && python3 -m tools.harness.desktop bash -c "
        play-tarvex >/tmp/play-tarvex.log 2>&1 & program=\$!
        timeout 60 xdotool search --sync --onlyvisible --name \"^The Tarvex Game Launcher\$\" >/dev/null
        shown=\$?
        kill \$program
        exit \$shown"' >>"$log" 2>&1; then
    started=0
    echo "debian13: the package installed and showed its main window"
else
    echo "debian13: the package did not install or show its main window (see $log)"
fi
[ $status -eq 0 ] && [ $started -eq 0 ]
