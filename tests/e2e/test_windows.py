"""The Windows build's play-tarvex.exe from the portable folder, under Wine on
the tests' Xvfb. There is no accessibility bus under Wine: windows are found
by title with xdotool, and controls reached by keyboard or by clicks where the
layout puts them. tools/test-windows.sh makes the build, the portable folder
and a booted Wine prefix first; without them these tests are skipped."""
import glob
import os
import shutil
import subprocess

import pytest

from tools.harness import UdpPeer, read_only_directory, wait_for, window_geometry, window_id, xdotool

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))

BUILD = os.environ.get("TARVEX_WINDOWS_BUILD_DIR", os.path.join(ROOT, "build-win"))
PORTABLE = os.path.join(BUILD, "portable", "play-tarvex-windows-x86_64")
RECORDING_CLIENT = os.path.join(BUILD, "tests", "windows", "recording-client.exe")
WINE = shutil.which("wine64") or "/usr/lib/wine/wine64"
WINESERVER = shutil.which("wineserver") or "/usr/lib/wine/wineserver"
KEY = r"HKCU\Software\Zephanor Installer\Play Tarvex"
TITLE = "The Tarvex Game Launcher"

pytestmark = pytest.mark.skipif(
    not (os.path.exists(os.path.join(PORTABLE, "play-tarvex.exe")) and os.path.exists(RECORDING_CLIENT)
         and os.path.exists(WINE)),
    reason="no Windows build (tools/test-windows.sh makes it) or no wine64")


def windows_path(path):
    """The path as Wine's Z: drive shows a Linux path."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def own_lists(prefix):
    """The player's own lists in a prefix, where the launcher saves when its folder is read-only."""
    return glob.glob(os.path.join(prefix, "drive_c", "users", "*", "AppData", "Local", "play-tarvex", "servers.cfg"))


def twips(value):
    # The layouts are drawn in twips; 15 of them make a pixel at 96 dpi,
    # rounded to the nearest pixel as the launcher places its controls.
    return (value + 7) // 15


class WineLauncher:
    """A copy of the portable folder in workdir run in the tests' Wine prefix,
    or the launcher in appdir run in the prefix given."""

    def __init__(self, desktop, workdir, appdir=None, prefix=None):
        self.appdir = appdir or os.path.join(workdir, "app")
        if appdir is None:
            shutil.copytree(PORTABLE, self.appdir)
        self.update_host = UdpPeer()
        self.env = dict(os.environ)
        self.env.update(desktop.env)
        self.env.update({
            "WINEPREFIX": prefix or os.path.join(BUILD, "wineprefix"),
            "WINEDEBUG": "-all",
            "WINEDLLOVERRIDES": "mscoree,mshtml=",
            "TARVEX_UPDATE_HOST": f"127.0.0.1:{self.update_host.port}",
        })
        self.log_path = os.path.join(workdir, "wine.log")
        self.process = None

    def wine(self, *args):
        return subprocess.run([WINE, *args], env=self.env, capture_output=True, timeout=120, check=False)

    def registry(self, key=KEY):
        """The values of a registry key, by default the launcher's: name -> (type, data)."""
        out = self.wine("reg", "query", key).stdout.decode("utf-8", "replace")
        values = {}
        for line in out.replace("\r", "").splitlines():
            if line.startswith("    "):
                # Only the indent goes: a value may end in blanks or hold four of them.
                name, kind, *data = line[4:].split("    ", 2)
                values[name] = (kind, data[0] if data else "")
        return values

    def set_registry(self, name, data):
        result = self.wine("reg", "add", KEY, "/v", name, "/t", "REG_SZ", "/d", data, "/f")
        assert result.returncode == 0, result.stderr

    def start(self, program=None, cwd=None):
        """Runs the launcher (program: its Windows path), by default from the folder above its own."""
        with open(self.log_path, "ab") as log:
            self.process = subprocess.Popen([WINE, program or os.path.join(self.appdir, "play-tarvex.exe")],
                                            cwd=cwd or os.path.dirname(self.appdir), env=self.env,
                                            stdout=log, stderr=subprocess.STDOUT)
        # A prefix's first start boots it, which takes 20 s or more.
        self.window = wait_for(lambda: window_id(TITLE), timeout=90, what=f"the window {TITLE!r}")
        return self

    def focus(self, wid):
        xdotool("windowfocus", "--sync", str(wid))

    def click_at(self, wid, x, y):
        """Clicks a point of a window's client area, which is the X window
        Wine shows (Windows draws no frame without a window manager)."""
        geometry = window_geometry(wid)
        xdotool("mousemove", str(geometry["X"] + x), str(geometry["Y"] + y), "click", "1")

    def click(self, left, top, width, height):
        """Clicks the middle of a main-window control placed in twips below the menu bar."""
        menu_bar = window_geometry(self.window)["HEIGHT"] - twips(2490)
        self.click_at(self.window, twips(left + width // 2), menu_bar + twips(top + height // 2))

    def key(self, *keys):
        xdotool("key", "--delay", "40", *keys)

    def type(self, text):
        xdotool("type", "--delay", "40", "--", text)

    def add_server(self, host, port):
        self.click(120, 2040, 1215, 375)  # Add Server
        dialog = wait_for(lambda: window_id("AddServer"), what="the Add Server dialog")
        self.focus(dialog)
        self.key("ctrl+a")
        self.type(host)
        self.key("Tab", "ctrl+a")
        self.type(str(port))
        self.key("Return")
        wait_for(lambda: window_id("AddServer") is None, what="the Add Server dialog to close")

    def menu(self, along, down):
        """Alt alone selects File on the menu bar, Right moves along it, Down
        opens a menu on its first command and moves down it."""
        self.focus(self.window)
        self.key("Alt_L", *["Right"] * along, "Down")
        wait_for(lambda: window_id("play-tarvex"), what="a menu")
        self.key(*["Down"] * down, "Return")

    def exit_through_the_menu(self):
        self.menu(along=0, down=1)  # File: Advanced, Exit
        self.process.wait(20)

    def stop(self):
        if self.process is not None and self.process.poll() is None:
            self.process.kill()
            self.process.wait(10)
        self.update_host.close()


@pytest.fixture
def wine_launcher(desktop, tmp_path):
    launcher = WineLauncher(desktop, str(tmp_path))
    launcher.wine("reg", "delete", r"HKCU\Software\Zephanor Installer", "/f")
    yield launcher
    launcher.stop()
    # Only this prefix's processes: a client left running, the prefix's services.
    subprocess.run([WINESERVER, "-k"], env=launcher.env, check=False)


def test_first_start_asks_for_updates_keeps_defaults_in_the_registry_and_an_added_server_in_the_list(
        wine_launcher):
    launcher = wine_launcher.start()
    data, _ = launcher.update_host.receive(timeout=20)
    assert data == b"Updates?"

    app = windows_path(launcher.appdir)
    wait_for(lambda: len(launcher.registry()) == 5, what="the five settings in the registry")
    assert launcher.registry() == {
        "regular?": ("REG_SZ", "yes"),
        "Regular Quake Path": ("REG_SZ", app + "/qf-client-win.exe"),
        "Regular Quake CMD": ("REG_SZ", ""),
        "GL Quake Path": ("REG_SZ", app + "/qf-client-wgl.exe"),
        "GL Quake CMD": ("REG_SZ", ""),
    }

    server = UdpPeer()  # the added server is queried at once: let that reach a socket of ours
    try:
        launcher.add_server("127.0.0.1", server.port)
        launcher.exit_through_the_menu()
    finally:
        server.close()
    with open(os.path.join(launcher.appdir, "servers.cfg"), "rb") as f:
        assert f.read() == f"127.0.0.1:{server.port}\r\n".encode()


def test_a_read_only_folder_keeps_its_list_and_the_list_goes_to_the_players_own_file(wine_launcher):
    beside = os.path.join(wine_launcher.appdir, "servers.cfg")
    with open(beside, "wb") as f:
        f.write(b"old.example:1\r\n")
    for own in own_lists(wine_launcher.env["WINEPREFIX"]):
        os.remove(own)
    server = UdpPeer()
    try:
        # For root a read-only mount, which Windows' own idea of a writable folder missed.
        with read_only_directory(wine_launcher.appdir):
            launcher = wine_launcher.start()
            launcher.add_server("127.0.0.1", server.port)
            launcher.exit_through_the_menu()
    finally:
        server.close()
    with open(beside, "rb") as f:
        assert f.read() == b"old.example:1\r\n"
    [own] = own_lists(wine_launcher.env["WINEPREFIX"])
    with open(own, "rb") as f:
        assert f.read() == f"old.example:1\r\n127.0.0.1:{server.port}\r\n".encode()


def test_join_server_hands_the_client_its_command_line_as_built_and_a_maximised_window(wine_launcher, tmp_path):
    folder = tmp_path / "Quake Games"
    folder.mkdir()
    client = folder / "qf client.exe"
    shutil.copy(RECORDING_CLIENT, client)
    launcher = wine_launcher
    launcher.set_registry("regular?", "yes")
    launcher.set_registry("Regular Quake Path", windows_path(client))
    parameters = '-name "Big Joe" +set rate 2500'
    launcher.set_registry("Regular Quake CMD", parameters)
    assert launcher.registry()["Regular Quake CMD"] == ("REG_SZ", parameters)
    with open(os.path.join(launcher.appdir, "servers.cfg"), "wb") as f:
        f.write(b"127.0.0.1:27500\r\n")

    launcher.start()
    launcher.click(1080, 50, 3015, 315)  # the server box
    launcher.key("ctrl+a")
    launcher.type("127.0.0.1:27500")
    launcher.click(2880, 2040, 1215, 375)  # Join Server

    record = str(client) + ".record"
    wait_for(lambda: os.path.exists(record), timeout=20, what="the client's record")
    with open(record, encoding="utf-8") as f:
        state, command_line = f.read().split("\n", 1)
    assert command_line == f'"{windows_path(client)}" {parameters} +connect 127.0.0.1:27500'
    show, flags = (int(field.split("=")[1]) for field in state.split())
    assert show == 3  # SW_SHOWMAXIMIZED
    assert flags & 1  # STARTF_USESHOWWINDOW: the state is a request, not left to the default
    assert launcher.process.poll() is None, "the launcher does not wait for the client, nor end"


def test_website_link_reaches_the_systems_opener(wine_launcher, tmp_path):
    # Wine's shell opens web addresses with the host's xdg-open: a stand-in
    # records what the shell handed it.
    record = tmp_path / "opened"
    bin_dir = tmp_path / "bin"
    bin_dir.mkdir()
    opener = bin_dir / "xdg-open"
    opener.write_text(f"#!/bin/sh\nprintf '%s\\n' \"$@\" > '{record}.part' && mv '{record}.part' '{record}'\n")
    opener.chmod(0o755)
    launcher = wine_launcher
    launcher.env["PATH"] = f"{bin_dir}{os.pathsep}{launcher.env['PATH']}"
    launcher.start()

    launcher.menu(along=1, down=0)  # Help: Help me!
    help_window = wait_for(lambda: window_id("How can I get help?"), what="the help window")
    launcher.click_at(help_window, 88 + 134 // 2, 152 + 17 // 2)  # the website link
    wait_for(lambda: record.exists(), timeout=20, what="the address at the opener")
    assert record.read_text() == "https://www.tarvex.example/\n"
