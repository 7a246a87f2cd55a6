"""The Debian package of tools/package.sh as a player meets it: lintian
accepts it, apt installs it, the metadata points at what it installed, the
installed launcher keeps its list in the player's data folder, and purge
leaves nothing behind. Skipped when no package has been built."""
import glob
import os
import subprocess
import xml.etree.ElementTree as ET

import pytest

import harness

PACKAGE = "play-tarvex"
PACKAGE_DIR = os.environ.get("TARVEX_PACKAGE_DIR", os.path.join(harness.ROOT, "build-package"))
PROGRAM = "/usr/bin/play-tarvex"
METAINFO = "/usr/share/metainfo/example.tarvex.PlayTarvex.metainfo.xml"
with open(os.path.join(harness.ROOT, "tests", "install", "installed-files.txt")) as listing:
    FILES = sorted("/usr/" + line.strip() for line in listing if line.strip())
# Root may write to /usr/bin, a player may not: the launcher gets a private
# mount namespace in which /usr/bin is read-only, as it is for a player.
READ_ONLY_USR_BIN = ["unshare", "--mount", "sh", "-c",
                     'mount --bind /usr/bin /usr/bin && mount -o remount,bind,ro /usr/bin && exec "$0"']


def apt_get(*args):
    sudo = [] if os.geteuid() == 0 else ["sudo"]
    done = subprocess.run(sudo + ["apt-get", "-y", "-q", "-o", "DPkg::Lock::Timeout=120", *args],
                          env={**os.environ, "DEBIAN_FRONTEND": "noninteractive"},
                          capture_output=True, text=True, check=False)
    assert done.returncode == 0, done.stdout + done.stderr


def known_to_dpkg():
    """True while dpkg holds any record of the package (installed or config files left)."""
    status = subprocess.run(["dpkg-query", "-W", "-f=${Status}", PACKAGE], capture_output=True, text=True,
                            check=False).stdout
    return status != "" and not status.endswith("not-installed")


@pytest.fixture
def deb():
    debs = glob.glob(os.path.join(PACKAGE_DIR, f"{PACKAGE}_*.deb"))
    if not debs:
        pytest.skip(f"no package in {PACKAGE_DIR}: tools/package.sh makes it")
    # A run stopped halfway may have left it installed.
    if known_to_dpkg():
        apt_get("purge", PACKAGE)
    yield max(debs, key=os.path.getmtime)
    if known_to_dpkg():
        apt_get("purge", PACKAGE)


class InstalledLauncher(harness.Launcher):
    def __init__(self, workdir):
        super().__init__(workdir, wrapper=READ_ONLY_USR_BIN if os.geteuid() == 0 else None)
        self.executable = PROGRAM


def test_lintian_finds_no_errors(deb):
    done = subprocess.run(["lintian", "--fail-on", "error", deb], capture_output=True, text=True, check=False)
    assert done.returncode == 0, done.stdout + done.stderr


def test_install_puts_every_file_where_the_metadata_says_and_purge_removes_them(deb, desktop, tmp_path):
    apt_get("install", os.path.abspath(deb))
    listed = subprocess.run(["dpkg", "-L", PACKAGE], capture_output=True, text=True, check=True).stdout
    assert sorted(p for p in listed.split() if not os.path.isdir(p)) == FILES
    assert all(os.path.isfile(path) for path in FILES)
    metainfo = ET.parse(METAINFO).getroot()
    assert f"/usr/share/applications/{metainfo.findtext('launchable')}" in FILES
    assert f"/usr/bin/{metainfo.findtext('provides/binary')}" == PROGRAM

    launcher = InstalledLauncher(str(tmp_path / "run"))
    try:
        launcher.start()
        assert launcher.receive_update_query() == b"Updates?"
        launcher.close_window("The Tarvex Game Launcher")
        assert launcher.wait_exit(10) == 0
    finally:
        launcher.stop()
    assert os.path.isfile(launcher.own_servers_path)
    assert not os.path.exists("/usr/bin/servers.cfg")

    apt_get("purge", PACKAGE)
    assert not known_to_dpkg()
    assert [path for path in FILES + ["/usr/share/doc/play-tarvex"] if os.path.lexists(path)] == []
