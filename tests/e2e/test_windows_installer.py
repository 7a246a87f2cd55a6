"""The Windows installer of tools/windows-installer.sh under Wine, as a player
meets it, in a Wine prefix booted afresh for it: a silent install into the
game folder, the Start-menu shortcut and the Apps & features entry, the
installed launcher started from the shortcut's folder, an install over it, and
a silent uninstall that takes exactly what it installed. Skipped without the
installer (the test command makes it) or wine64."""
import glob
import os
import re
import shutil
import struct
import subprocess

import pytest

from test_windows import BUILD, PORTABLE, WINE, WINESERVER, WineLauncher, windows_path
from tools.harness import UdpPeer, wait_for

INSTALLER = os.path.join(BUILD, "installer", "play-tarvex-windows-x86_64-setup.exe")
UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\PlayTarvex"
GAME = r"C:\Tarvex Games"  # a blank in the path: every command line must quote it
UNINSTALLER = "play-tarvex-uninstall.exe"

pytestmark = pytest.mark.skipif(not (os.path.exists(INSTALLER) and os.path.exists(WINE)),
                                reason="no installer (tools/windows-installer.sh makes it) or no wine64")


def run_installer(launcher, *arguments):
    """Runs the installer as a Windows command line would: "/D=" comes last,
    blanks and all, without quotes, which wine64's own arguments would add."""
    done = launcher.wine("cmd", "/c", " ".join([windows_path(INSTALLER), *arguments]))
    assert done.returncode == 0, done.stdout + done.stderr


def build_version():
    with open(os.path.join(BUILD, "CMakeCache.txt"), encoding="utf-8") as cache:
        return next(line.split("=", 1)[1].strip() for line in cache if line.startswith("CMAKE_PROJECT_VERSION:"))


def files_in(folder):
    return sorted(os.path.relpath(os.path.join(parent, name), folder)
                  for parent, _, names in os.walk(folder) for name in names)


def assert_installed(game, *players_files):
    """The game folder holds the portable folder's files, unchanged, the
    uninstaller and the player's own files: nothing else."""
    shipped = files_in(PORTABLE)
    assert files_in(game) == sorted(shipped + [UNINSTALLER, *players_files])
    for name in shipped:
        with open(os.path.join(PORTABLE, name), "rb") as original, open(os.path.join(game, name), "rb") as copy:
            assert copy.read() == original.read(), name


def read_shortcut(path):
    """A shell link's target (its LinkInfo's local path) and working directory."""
    with open(path, "rb") as f:
        data = f.read()
    flags = struct.unpack_from("<I", data, 0x14)[0]
    offset = 0x4C
    if flags & 0x01:  # a target ID list
        offset += 2 + struct.unpack_from("<H", data, offset)[0]
    target = None
    if flags & 0x02:  # LinkInfo
        size, _, info_flags, _, path_offset = struct.unpack_from("<5I", data, offset)
        if info_flags & 0x01:
            start = offset + path_offset
            target = data[start:data.index(b"\0", start)].decode("latin-1")
        offset += size
    strings = {}
    for bit, name in ((0x04, "name"), (0x08, "relative path"), (0x10, "working directory")):
        if flags & bit:
            count = struct.unpack_from("<H", data, offset)[0]
            width = 2 if flags & 0x80 else 1
            text = data[offset + 2:offset + 2 + count * width].decode("utf-16-le" if width == 2 else "latin-1")
            strings[name] = text.rstrip("\0")  # Wine counts the terminating NUL
            offset += 2 + count * width
    return target, strings.get("working directory")


@pytest.fixture(scope="module")
def prefix(desktop, tmp_path_factory):
    path = str(tmp_path_factory.mktemp("wine") / "prefix")
    env = {**os.environ, **desktop.env, "WINEPREFIX": path, "WINEDEBUG": "-all",
           "WINEDLLOVERRIDES": "mscoree,mshtml="}
    subprocess.run([WINE, "wineboot", "-i"], env=env, capture_output=True, timeout=300, check=True)
    yield path
    subprocess.run([WINESERVER, "-k"], env=env, check=False)
    shutil.rmtree(path, ignore_errors=True)  # 700 MB, which pytest would keep for three runs


def test_silent_install_shortcut_entry_start_reinstall_and_uninstall_keeping_the_players_files(
        prefix, desktop, tmp_path):
    game = os.path.join(prefix, "drive_c", "Tarvex Games")
    os.makedirs(game)
    with open(os.path.join(game, "qf-client-win.exe"), "wb") as client:
        client.write(b"the player's game client")
    launcher = WineLauncher(desktop, str(tmp_path), appdir=game, prefix=prefix)

    run_installer(launcher, "/S", "/D=" + GAME)
    assert_installed(game, "qf-client-win.exe")
    entry = launcher.registry(UNINSTALL_KEY)
    shipped = files_in(PORTABLE)
    size_kib = sum(os.path.getsize(os.path.join(PORTABLE, name)) for name in shipped) / 1024
    assert abs(int(entry.pop("EstimatedSize")[1], 16) - size_kib) <= len(shipped)  # rounded up per file
    assert entry == {
        "DisplayName": ("REG_SZ", "Play Tarvex"),
        "DisplayVersion": ("REG_SZ", build_version()),
        "Publisher": ("REG_SZ", "Zephanor Installer"),
        "DisplayIcon": ("REG_SZ", GAME + r"\play-tarvex.exe,0"),
        "InstallLocation": ("REG_SZ", GAME),
        "UninstallString": ("REG_SZ", f'"{GAME}\\{UNINSTALLER}"'),
        "QuietUninstallString": ("REG_SZ", f'"{GAME}\\{UNINSTALLER}" /S'),
        "NoModify": ("REG_DWORD", "0x1"),
        "NoRepair": ("REG_DWORD", "0x1"),
    }
    start_menu = os.path.join(prefix, "drive_c", "users", "*", "AppData", "Roaming", "Microsoft", "Windows",
                              "Start Menu", "Programs")
    [shortcut] = glob.glob(os.path.join(start_menu, "Play Tarvex.lnk"))
    target, working_directory = read_shortcut(shortcut)
    assert (target, working_directory) == (GAME + r"\play-tarvex.exe", GAME)

    server = UdpPeer()  # the added server is queried at once
    try:
        launcher.start(program=target, cwd=game)
        launcher.add_server("127.0.0.1", server.port)
        launcher.exit_through_the_menu()
    finally:
        server.close()
        launcher.stop()
    with open(os.path.join(game, "servers.cfg"), "rb") as f:
        assert f.read() == f"127.0.0.1:{server.port}\r\n".encode()
    settings = launcher.registry()
    assert len(settings) == 5

    # An install over it, without a folder named, goes into the same folder
    # and replaces the files there.
    with open(os.path.join(game, "play-tarvex.exe"), "wb") as damaged:
        damaged.write(b"an older version")
    run_installer(launcher, "/S")
    assert_installed(game, "qf-client-win.exe", "servers.cfg")
    assert launcher.registry(UNINSTALL_KEY)["InstallLocation"] == ("REG_SZ", GAME)

    # The uninstaller runs a copy of itself from the temporary folder and
    # returns at once; removing the entry is its last step.
    program, arguments = re.fullmatch(r'"([^"]+)" (.*)', entry["QuietUninstallString"][1]).groups()
    done = launcher.wine(program, *arguments.split())
    assert done.returncode == 0, done.stderr
    wait_for(lambda: launcher.registry(UNINSTALL_KEY) == {}, timeout=60, what="the uninstall entry to go")
    assert files_in(game) == ["qf-client-win.exe", "servers.cfg"]
    assert not os.path.exists(shortcut)
    assert launcher.registry() == settings
