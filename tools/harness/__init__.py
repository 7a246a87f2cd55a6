"""Drives the real play-tarvex executable as a player would: under its own
Xvfb and D-Bus session, reading and pressing controls over the AT-SPI
accessibility bus and typing with xdotool, against UDP peers on 127.0.0.1.

Used by tests/e2e, bench and tools alike, from the repository's root
(`python3 -m pytest tests/e2e`, `python3 -m bench.startup`): everything it
needs to know (the executable, the game server's scripts) is passed in.
"""
import configparser
import contextlib
import json
import os
import re
import shutil
import socket
import subprocess
import urllib.parse

from .desktop import Desktop, wait_for, window_manager, window_manager_running
from .gameserver import GameServer, cpu_wait

SETTINGS_FILE = "Zephanor Installer.ini"
SETTINGS_GROUP = "Play Tarvex"


def free_udp_port():
    with socket.socket(socket.AF_INET, socket.SOCK_DGRAM) as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


class UdpPeer:
    """A UDP socket on 127.0.0.1: an update host or a game server of the test."""

    def __init__(self, port=0, address="127.0.0.1"):
        self.sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
        self.sock.bind((address, port))
        self.port = self.sock.getsockname()[1]

    def receive(self, timeout=5.0):
        """Returns (bytes, (ip, port)) of the next datagram."""
        self.sock.settimeout(timeout)
        return self.sock.recvfrom(65535)

    def send(self, data, address):
        self.sock.sendto(data, address)

    def close(self):
        self.sock.close()


def _settings_escape(text):
    # QSettings' INI format percent-encodes spaces and most punctuation in
    # groups and keys.
    return "".join(c if c.isalnum() or c in "-_.~" else "%{:02X}".format(ord(c)) for c in text)


def write_settings(config_home, values):
    """Stores values (key -> string) in the launcher's section, as QSettings would."""
    os.makedirs(config_home, exist_ok=True)
    lines = [f"[{_settings_escape(SETTINGS_GROUP)}]"]
    for key, value in values.items():
        # Quoted, with its backslashes escaped, whenever QSettings would read
        # the bare text otherwise (a trailing backslash continues the line).
        quoted = any(c in value for c in ' ;\\"') and json.dumps(value, ensure_ascii=False)
        lines.append(f"{_settings_escape(key)}={quoted or value}")
    with open(os.path.join(config_home, SETTINGS_FILE), "w", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")


def read_settings(config_home):
    """The launcher's section as a dict; {} when the file does not exist."""
    path = os.path.join(config_home, SETTINGS_FILE)
    if not os.path.exists(path):
        return {}
    parser = configparser.RawConfigParser(interpolation=None)
    parser.optionxform = str
    parser.read(path, encoding="utf-8")
    result = {}
    for section in parser.sections():
        if urllib.parse.unquote(section) != SETTINGS_GROUP:
            continue
        for key, value in parser.items(section):
            if len(value) >= 2 and value[0] == value[-1] == '"':
                value = value[1:-1].replace('\\"', '"').replace("\\\\", "\\")
            result[urllib.parse.unquote(key)] = value
    return result


@contextlib.contextmanager
def read_only_directory(path):
    """Makes a directory unwritable. For root, a read-only bind mount: the
    system refuses every write there (EROFS), as on a read-only medium."""
    if os.geteuid() != 0:
        os.chmod(path, 0o555)
        try:
            yield
        finally:
            os.chmod(path, 0o755)
        return
    subprocess.run(["mount", "--bind", path, path], check=True)
    try:
        subprocess.run(["mount", "-o", "remount,bind,ro", path], check=True)
        yield
    finally:
        subprocess.run(["umount", "--lazy", path], check=False)


def fill_filesystem(path, name="filler"):
    """Writes a file into path until its filesystem has no block left."""
    block = b"\0" * 65536
    with open(os.path.join(path, name), "ab", buffering=0) as f:
        try:
            while True:
                f.write(block)
        except OSError:
            pass
        # A last partial block may still fit.
        try:
            while True:
                f.write(b"\0")
        except OSError:
            pass


def _pyatspi():
    import pyatspi  # needs the session's D-Bus address in the environment
    return pyatspi


def _showing(node):
    try:
        return node.getState().contains(_pyatspi().STATE_SHOWING)
    except Exception:
        return False


def has_role(node, role):
    """True when node has the role named as AT-SPI's enumeration names it
    ("push button", "frame", "alert"...). The names a node reports differ
    between releases for the same role (Debian 12's "push button" is Debian
    13's "button"): the role's number does not."""
    constant = getattr(_pyatspi(), "ROLE_" + role.upper().replace(" ", "_"), None)
    if constant is None:
        raise ValueError(f"AT-SPI has no role {role!r}")
    return node.getRole() == constant


def find_all(root, role=None, name=None, showing_only=True, depth=12):
    """Every descendant of root with the role (see has_role) and accessible name given."""
    found = []

    def walk(node, level):
        if node is None or level > depth:
            return
        for child in node:
            if child is None:
                continue
            if showing_only and not _showing(child):
                continue
            if (role is None or has_role(child, role)) and (name is None or child.name == name):
                found.append(child)
            walk(child, level + 1)

    walk(root, 0)
    return found


def find(root, role=None, name=None, showing_only=True):
    matches = find_all(root, role, name, showing_only)
    return matches[0] if matches else None


def press(node):
    """Runs the control's first action ("Press" for buttons and menu items)."""
    action = node.queryAction()
    for i in range(action.nActions):
        if action.getName(i) in ("Press", "press", "click"):
            action.doAction(i)
            return
    action.doAction(0)


def extents(node):
    """A control's X, Y, width and height on the screen, in pixels."""
    return tuple(node.queryComponent().getExtents(_pyatspi().DESKTOP_COORDS))


def text_of(node):
    text = node.queryText()
    return text.getText(0, text.characterCount)


def _regex_escape(text):
    """Escapes a title for xdotool's POSIX extended regular expressions."""
    return "".join("\\" + c if c in ".^$*+?()[]{}|\\" else c for c in text)


def xdotool(*args):
    return subprocess.run(["xdotool", *args], capture_output=True, text=True, timeout=30, check=False).stdout


def send_close(wid, display_name=None):
    """WM_DELETE_WINDOW to an X window, once, as a window manager sends it
    when the title bar's close box is clicked."""
    from Xlib import X, display, protocol
    d = display.Display(display_name)
    try:
        window = d.create_resource_object("window", wid)
        event = protocol.event.ClientMessage(window=window, client_type=d.intern_atom("WM_PROTOCOLS"),
                                             data=(32, [d.intern_atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0]))
        window.send_event(event, event_mask=X.NoEventMask)
        # python-xlib's flush may return with the request still unsent: the
        # close went unanswered now and then. A round trip sends it.
        d.sync()
    finally:
        d.close()


def window_id(title, pid=None):
    """The X window of a showing top-level window with this title, of the
    process pid if given (a program under Wine runs as another process)."""
    owner = ["--pid", str(pid)] if pid else []
    out = xdotool("search", "--all", "--onlyvisible", *owner, "--name", f"^{_regex_escape(title)}$")
    ids = [int(line) for line in out.split()]
    return ids[-1] if ids else None


def x_state(wid):
    """A window as the X server and the window manager see it: WM_STATE's
    state (None before a window manager set one), the map state, and the
    window's absolute X and Y."""
    state = re.search(r"window state: (\w+)", subprocess.run(
        ["xprop", "-id", str(wid), "WM_STATE"], capture_output=True, text=True).stdout)
    info = subprocess.run(["xwininfo", "-id", str(wid)], capture_output=True, text=True).stdout
    mapped = re.search(r"Map State: (\w+)", info)
    position = re.findall(r"Absolute upper-left [XY]:\s+(-?\d+)", info)
    return (state and state.group(1), mapped and mapped.group(1), *map(int, position))


def _toplevel(node):
    """The window a control is in: its ancestor just below the application."""
    while node.parent is not None and node.parent.getRoleName() != "application":
        node = node.parent
    return node


def window_geometry(wid):
    """A window's X, Y, WIDTH and HEIGHT on the screen, in pixels."""
    out = xdotool("getwindowgeometry", "--shell", str(wid))
    return {key: int(value) for key, value in (line.split("=") for line in out.split()) if key != "SCREEN"}


class Launcher:
    """One run of the real executable in a directory of its own, with its own
    settings, and the test's update host listening on 127.0.0.1."""

    def __init__(self, workdir, executable, servers_cfg=None, settings=None, env=None, bin_dir=None,
                 wrapper=None):
        """executable: the built play-tarvex, copied into workdir for the run."""
        self.workdir = workdir
        self.appdir = os.path.join(workdir, "app")
        self.config_home = os.path.join(workdir, "config")
        self.data_home = os.path.join(workdir, "data")
        os.makedirs(self.appdir, exist_ok=True)
        self.executable = os.path.join(self.appdir, "play-tarvex")
        shutil.copy2(executable, self.executable)
        if servers_cfg is not None:
            with open(self.servers_path, "wb") as f:
                f.write(servers_cfg)
        if settings is not None:
            write_settings(self.config_home, settings)
        self.update_host = UdpPeer()
        self.env = dict(os.environ)
        self.env.update({
            "XDG_CONFIG_HOME": self.config_home,
            "XDG_DATA_HOME": self.data_home,
            "TARVEX_UPDATE_HOST": f"127.0.0.1:{self.update_host.port}",
            "QT_ACCESSIBILITY": "1",
            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
        })
        if bin_dir:
            self.env["PATH"] = bin_dir + os.pathsep + self.env.get("PATH", "")
        self.env.update(env or {})
        self.wrapper = list(wrapper or [])
        self.process = None
        self._pid = None
        self._app = None
        self._main = None
        self.launcher_address = None

    @property
    def servers_path(self):
        return os.path.join(self.appdir, "servers.cfg")

    @property
    def own_servers_path(self):
        """Where the list goes when the program's directory is read-only."""
        return os.path.join(self.data_home, "play-tarvex", "servers.cfg")

    def start(self, wait_main=True):
        self.log = open(os.path.join(self.workdir, "launcher.log"), "wb")
        self.process = subprocess.Popen(self.wrapper + [self.executable], cwd=self.workdir, env=self.env,
                                        stdout=self.log, stderr=subprocess.STDOUT)
        if wait_main:
            self.wait_main()
        return self

    def wait_main(self, timeout=20.0):
        """Waits for the main window (start() does, unless told not to)."""
        self._main = wait_for(lambda: self.window("The Tarvex Game Launcher", role="frame"),
                              timeout=timeout, what="the main window")
        return self._main

    # --- the process -------------------------------------------------------
    @property
    def pid(self):
        """The launcher's own process id, also when it runs under a wrapper."""
        if self._pid is None:
            if not self.wrapper:
                self._pid = self.process.pid
            else:
                def launcher():
                    # A wrapper that execs the launcher keeps its process id;
                    # one that forks runs it as its child. Before that the
                    # wrapper may run other children (mount, for one): only a
                    # process running the launcher's executable is the launcher.
                    # The file itself, not its path: a process in a mount
                    # namespace of its own may show its path from another root.
                    path = f"/proc/{self.process.pid}/task/{self.process.pid}/children"
                    with open(path) as f:
                        candidates = [self.process.pid] + [int(pid) for pid in f.read().split()]
                    for pid in candidates:
                        with contextlib.suppress(OSError):
                            if os.path.samefile(f"/proc/{pid}/exe", self.executable):
                                return pid
                    return None
                self._pid = wait_for(launcher, what="the launcher under its wrapper")
        return self._pid

    def running(self):
        return self.process is not None and self.process.poll() is None

    def wait_exit(self, timeout=10.0):
        return self.process.wait(timeout)

    def stop(self):
        if self.running():
            self.process.kill()
            self.process.wait(5)
        if self.process is not None:
            self.log.close()
        self.update_host.close()

    # --- the accessibility tree -------------------------------------------
    @property
    def app(self):
        if self._app is None:
            desktop = _pyatspi().Registry.getDesktop(0)
            for candidate in desktop:
                try:
                    if candidate is not None and candidate.get_process_id() == self.pid:
                        self._app = candidate
                        break
                except Exception:
                    continue
        return self._app

    def window(self, title, role=None):
        """A showing top-level window with this title, or None."""
        app = self.app
        if app is None:
            return None
        for child in app:
            if child is not None and child.name == title and _showing(child) \
                    and (role is None or has_role(child, role)):
                return child
        return None

    def wait_window(self, title, role=None, timeout=10.0):
        return wait_for(lambda: self.window(title, role), timeout, what=f"window {title!r}")

    def windows(self):
        """Titles of the showing top-level windows."""
        app = self.app
        return [c.name for c in app if c is not None and _showing(c)] if app else []

    @property
    def main(self):
        return self._main

    def button(self, caption, window=None):
        return wait_for(lambda: find(window or self.main, "push button", caption),
                        what=f"button {caption!r}")

    def press_button(self, caption, window=None):
        press(self.button(caption, window))

    def menu(self, *path):
        """Chooses a menu command, e.g. menu("File", "Advanced", "Edit Paths")."""
        node = find(self.main, "menu bar")
        for name in path:
            node = wait_for(lambda: find(node, "menu item", name, showing_only=False),
                            what=f"menu item {name!r}")
        press(node)

    # --- the main window's controls ---------------------------------------
    def combo(self):
        return find(self.main, "combo box")

    def combo_text(self):
        return text_of(find(self.combo(), "text"))

    def combo_items(self):
        lst = find(self.combo(), "list", showing_only=False)
        return [item.name for item in lst if item is not None]

    def result_lines(self):
        lst = find(self.main, "list", "Server status")
        return [item.name for item in lst if item is not None]

    def wait_result_lines(self, predicate, timeout=10.0, what="result lines"):
        return wait_for(lambda: (lambda lines: lines if predicate(lines) else None)(self.result_lines()),
                        timeout, what=what)

    def option_selected(self, caption):
        node = find(self.main, "radio button", caption)
        return node.getState().contains(_pyatspi().STATE_CHECKED)

    # --- keyboard and mouse -------------------------------------------------
    def window_id(self, title):
        """The X window of a showing top-level window of this run with this title."""
        return window_id(title, self.pid)

    def focus_window(self, title):
        wid = wait_for(lambda: self.window_id(title), what=f"X window {title!r}")
        xdotool("windowraise", str(wid))
        xdotool("windowfocus", "--sync", str(wid))
        return wid

    def focus_control(self, node, window_title):
        """Gives a control the keyboard focus as a click would."""
        self.focus_window(window_title)
        node.queryComponent().grabFocus()
        wait_for(lambda: node.getState().contains(_pyatspi().STATE_FOCUSED),
                 what="the control to take the focus")

    def type(self, text):
        xdotool("type", "--delay", "20", "--", text)

    def key(self, *keys):
        xdotool("key", "--delay", "20", *keys)

    def paste(self, text):
        """Ctrl+V into the focused control, with text copied as another program
        copies it: xclip keeps serving the clipboard until its next owner."""
        # xclip stays behind to serve the clipboard: it must not hold the caller's output open.
        subprocess.run(["xclip", "-selection", "clipboard"], input=text.encode(), env=self.env, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=10)
        self.key("ctrl+v")

    def type_in_server_box(self, text, replace=True):
        edit = find(self.combo(), "text")
        self.focus_control(edit, "The Tarvex Game Launcher")
        if replace:
            self.key("ctrl+a", "BackSpace")
        self.type(text)

    def desktop_size(self):
        """The screen's width and height in pixels."""
        out = xdotool("getdisplaygeometry")
        return tuple(int(v) for v in out.split())

    def click(self, node):
        # A window manager may still be moving the window (openbox animates a
        # restore): click once X has it where the accessibility tree says.
        if window_manager_running():
            top = _toplevel(node)
            wid = wait_for(lambda: self.window_id(top.name), what=f"X window {top.name!r}")
            wait_for(lambda: tuple(x_state(wid)[2:]) == extents(top)[:2], what=f"{top.name!r} to stand still")
        x, y, w, h = extents(node)
        # One xdotool keeps the move and the press in order on its one
        # connection. "mousemove --sync" instead waited up to 15 s for a
        # pointer move it did not see (7.6 s a click in the notice test).
        xdotool("mousemove", str(x + w // 2), str(y + h // 2), "click", "1")

    def close_window(self, title):
        """The title-bar close box: WM_DELETE_WINDOW sent to the window, as a
        window manager does; sent again (never more than a close box would be
        clicked by an impatient player) until the window goes."""
        wid = wait_for(lambda: self.window_id(title), what=f"X window {title!r}")
        for _ in range(3):
            send_close(wid, self.env["DISPLAY"])
            try:
                wait_for(lambda: self.window_id(title) != wid, timeout=3, what=f"{title!r} to close")
                return
            except TimeoutError:
                continue
        raise TimeoutError(f"{title!r} did not close")

    def minimised(self, title="The Tarvex Game Launcher"):
        """Under a window manager: WM_STATE Iconic and unmapped. Without one,
        only the window's own hint can say it asked to be iconified."""
        out = xdotool("search", "--all", "--pid", str(self.pid), "--name", f"^{_regex_escape(title)}$")
        managed = window_manager_running()
        for wid in out.split():
            if managed:
                state, mapped, *_ = x_state(wid)
                if state == "Iconic" and mapped == "IsUnMapped":
                    return True
            elif "Iconic" in subprocess.run(["xprop", "-id", wid, "WM_HINTS", "WM_STATE"],
                                            capture_output=True, text=True).stdout:
                return True
        return False

    def restored(self, title="The Tarvex Game Launcher"):
        """WM_STATE Normal, viewable and holding the keyboard focus."""
        wid = self.window_id(title)
        if wid is None:
            return False
        state, mapped, *_ = x_state(wid)
        return state == "Normal" and mapped == "IsViewable" and int(xdotool("getwindowfocus")) == wid

    # --- message boxes -----------------------------------------------------
    def alert(self, title, timeout=10.0):
        """Waits for a message box; returns (box, its text)."""
        box = self.wait_window(title, role="alert", timeout=timeout)
        labels = [node.name for node in find_all(box, "label") if node.name]
        return box, "\n".join(labels)

    def dismiss(self, box):
        press(find(box, "push button", "OK"))

    def no_alert(self):
        app = self.app
        return not any(c is not None and _showing(c) and has_role(c, "alert") for c in app)

    # --- the update host ---------------------------------------------------
    def receive_update_query(self, timeout=10.0):
        data, address = self.update_host.receive(timeout)
        self.launcher_address = address
        return data

    def send_to_launcher(self, data, sender=None):
        """Sends a datagram to the launcher's socket, from the update host or
        from another UdpPeer."""
        if self.launcher_address is None:
            self.receive_update_query()
        (sender or self.update_host).send(data, self.launcher_address)


def start_qwserver(qwserver_dir, port, hostname, mapname, env=None):
    """Starts a game server from the scripts in qwserver_dir, env added to this
    environment; returns its pid."""
    out = subprocess.run([os.path.join(qwserver_dir, "start-qwserver.sh"), str(port), hostname, mapname],
                         capture_output=True, text=True, timeout=60, env={**os.environ, **(env or {})})
    if out.returncode != 0:
        raise RuntimeError(f"start-qwserver.sh failed: {out.stderr}")
    return int(out.stdout.strip())


def stop_qwserver(qwserver_dir, pid):
    subprocess.run([os.path.join(qwserver_dir, "stop-qwserver.sh"), str(pid)], capture_output=True, timeout=30)
