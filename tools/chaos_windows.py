#!/usr/bin/python3
"""The chaos run of the Windows build: the portable play-tarvex.exe under Wine
and openbox on a desktop of its own, played by the Linux run's generator
(tools/chaos.py: the same steps drawn from the same seed, the same hostile
traffic on the update host's socket). AT-SPI does not reach a program under
Wine: windows are found by title, controls clicked where the layout puts them
(in twips), and what the list and the registry should hold is followed step by
step as long as every step's effect is known (plain ASCII typed into a box, no
message box in the way); the checks are in tests/e2e/README.md.

  /usr/bin/python3 -m tools.chaos_windows SECONDS SEED [--verbose]   (tools/chaos.sh --windows)
"""
import argparse
import collections
import fcntl
import os
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import time

from tests.e2e.test_windows import BUILD, KEY, PORTABLE, RECORDING_CLIENT, WINE, WINESERVER, WineLauncher, own_lists, \
    twips, windows_path
from tools import harness
from tools.chaos import ADD, HELP, LAUNCHER, MAIN, PATHS, SECRET, Failure, Monkey, Peer, address, play, \
    play_on_desktop, quietly, recorder, stored
from tools.harness import cpu_wait, machine, send_close, wait_for

# A prefix of the run's own: the end-to-end tests end theirs with wineserver -k.
PREFIX = os.path.join(BUILD, "wineprefix-chaos")
PING = 2.0  # the longest a window may take to answer _NET_WM_PING, beside the program's wait for a CPU
LIMIT = 10.0  # the longest a window may take to come or go
OURS = (MAIN, ADD, PATHS, HELP, SECRET)
SETTINGS = ("Regular Quake Path", "GL Quake Path", "Regular Quake CMD", "GL Quake CMD")
# Where the layouts put the controls, in twips: left, top, width, height.
CONTROLS = {
    MAIN: {"Update": (120, 50, 855, 315), "Server address": (1080, 50, 3015, 315),
           "Regular Tarvex": (120, 1800, 1815, 195), "GL Enhanced Tarvex": (2040, 1800, 2055, 195),
           "Add Server": (120, 2040, 1215, 375), "Remove Server": (1440, 2040, 1335, 375),
           "Join Server": (2880, 2040, 1215, 375)},
    ADD: {"IP": (840, 120, 1815, 285), "Port": (840, 480, 1815, 285), "Ok": (240, 840, 1095, 255),
          "Cancel": (1560, 840, 1095, 255)},
    PATHS: {"Regular client path": (120, 240, 3135, 285), "GL client path": (120, 600, 3135, 285),
            "Regular client parameters": (3360, 240, 1455, 285), "GL client parameters": (3360, 600, 1455, 285),
            "Browse...0": (4920, 240, 1215, 255), "Browse...1": (4920, 600, 1215, 255),
            "Done": (120, 960, 2895, 375), "Cancel": (3240, 960, 2895, 375)},
    HELP: {"link": (88, 152, 134, 17)},  # in pixels: the help window is laid out in them
}


def xdo(*args, timeout=5):
    """xdotool with a short time-out: a --sync that never comes is a step without effect."""
    try:
        return subprocess.run(["xdotool", *args], capture_output=True, text=True, timeout=timeout,
                              check=False).stdout
    except subprocess.TimeoutExpired:
        return ""


def window_geometry(wid):
    """A window's X, Y, WIDTH and HEIGHT on the screen; xdotool's getwindowgeometry
    counts the frame of a window manager twice, xwininfo does not."""
    out = subprocess.run(["xwininfo", "-id", str(wid)], capture_output=True, text=True, timeout=10, check=True).stdout
    fields = dict(line.strip().split(":", 1) for line in out.splitlines() if ":" in line)
    return {key: int(fields[name]) for key, name in (("X", "Absolute upper-left X"), ("Y", "Absolute upper-left Y"),
                                                     ("WIDTH", "Width"), ("HEIGHT", "Height"))}


def plain(text):
    """Whether typing the text has an effect known in advance: printable ASCII only."""
    return text is not None and all(32 <= ord(c) < 127 for c in text)


def visible(title=None):
    """The visible windows with this title (any named one when None): [(wid, title)]."""
    pattern = f"^{harness._regex_escape(title)}$" if title else "."
    return [(int(wid), title or xdo("getwindowname", wid).strip())
            for wid in xdo("search", "--all", "--onlyvisible", "--name", pattern).split()]


class WineMonkey:
    """Plays the Windows build with the Linux run's steps; follows the list
    (entries, the server box, the Add Server fields) and the registry."""

    STEPS = Monkey.STEPS

    def __init__(self, seed, folder, desktop, verbose=False):
        self.seed, self.folder, self.desktop, self.verbose = seed, folder, desktop, verbose
        self.rng = random.Random(seed)
        self.step, self.steps, self.runs, self.slowest = 0, collections.deque(maxlen=30), 0, 0.0
        self.launcher = self.peer = self.app_folder = None
        self.hidden_boxes = {}  # the boxes the run minimised: {wid: title}
        self.faults = collections.Counter()
        self.screen = [int(v) for v in xdo("getdisplaygeometry").split()]
        self.bin = os.path.join(folder, "bin")
        os.makedirs(self.bin)
        # Wine's shell opens web addresses with the host's xdg-open: a stand-in records them.
        self.opened = os.path.join(folder, "opened")
        recorder(os.path.join(self.bin, "xdg-open"), self.opened)
        self.client = os.path.join(folder, "Quake Games", "qf client.exe")
        os.makedirs(os.path.dirname(self.client))
        shutil.copy(RECORDING_CLIENT, self.client)
        self.broken_client = os.path.join(folder, "Quake Games", "not a program.exe")
        with open(self.broken_client, "w") as f:
            f.write("not a program\n")

    # --- runs of the program ----------------------------------------------------
    def start_run(self):
        rng = random.Random(f"{self.seed}/{self.runs}")
        workdir = os.path.join(self.folder, f"run{self.runs}")
        self.runs += 1
        appdir = os.path.join(workdir, "app")
        self.app_folder = machine.SmallFolder(appdir, machine.tree_size(PORTABLE) + (1 << 20))
        shutil.copytree(PORTABLE, appdir, dirs_exist_ok=True)
        self.launcher = WineLauncher(self.desktop, workdir, appdir=appdir, prefix=PREFIX)
        self.launcher.env["PATH"] = self.bin + os.pathsep + self.launcher.env["PATH"]
        paths = [windows_path(self.client), windows_path(self.broken_client), "C:\\missing\\client.exe", ""]
        self.settings = {"Regular Quake Path": rng.choice(paths), "GL Quake Path": rng.choice(paths),
                         "Regular Quake CMD": rng.choice(["", "-nosound", "+name O'Brien -window"]),
                         "GL Quake CMD": rng.choice(["", '-name "Big Joe" +set rate 2500']),
                         "regular?": rng.choice(["yes", "no"])}
        raw, app = dict(self.settings), windows_path(appdir)
        for path, parameters, client in (("Regular Quake Path", "Regular Quake CMD", "/qf-client-win.exe"),
                                         ("GL Quake Path", "GL Quake CMD", "/qf-client-wgl.exe")):
            if not self.settings[path]:  # the program puts its own client there
                self.settings[path], self.settings[parameters] = app + client, ""
        self.paths = [None] * 4
        registry = os.path.join(workdir, "settings.reg")
        with open(registry, "w", encoding="utf-16") as f:
            quoted = {k: v.replace("\\", "\\\\").replace('"', '\\"') for k, v in raw.items()}
            f.write("Windows Registry Editor Version 5.00\r\n\r\n"
                    "[-HKEY_CURRENT_USER\\Software\\Zephanor Installer]\r\n\r\n"
                    "[HKEY_CURRENT_USER\\Software\\Zephanor Installer\\Play Tarvex]\r\n"
                    + "".join(f'"{k}"="{v}"\r\n' for k, v in quoted.items()))
        if self.launcher.wine("regedit", "/S", windows_path(registry)).returncode != 0:
            raise RuntimeError("the settings could not be put in the registry")
        self.entries = []
        if rng.random() < 0.8:  # else the program makes a new one
            lines = [stored(address(rng)).replace("{peer}", f"127.0.0.1:{self.launcher.update_host.port}")
                     .replace("{port}", str(self.launcher.update_host.port)) for _ in range(rng.randint(0, 6))]
            with open(os.path.join(appdir, "servers.cfg"), "wb") as f:
                f.write(b"".join(line.encode("latin-1") + rng.choice([b"\r\n", b"\n"]) for line in lines))
            self.entries = [line for line in lines if line]  # an empty line is no entry
            if lines and not lines[0]:
                self.entries = None  # what the program makes of a leading empty line is not followed
        self.box = self.entries[0] if self.entries else ("" if self.entries is not None else None)
        self.fields = None
        self.peer = Peer(self.launcher.update_host, rng)
        self.launcher.start()
        self.main_closed, self.on_disk = False, None
        wait_for(lambda: self.peer.launcher, 60, what="the update query")

    def end_run(self, keep=False):
        self.peer.close()
        self.launcher.stop()
        subprocess.run([WINESERVER, "-k"], env=self.launcher.env, check=False)
        quietly(lambda: subprocess.run([WINESERVER, "-w"], env=self.launcher.env, timeout=30))
        self.app_folder.close(keep=os.path.join(self.folder, f"run{self.runs - 1}", "app-kept") if keep else None)
        self.launcher = self.app_folder = None

    # --- what the program shows --------------------------------------------------
    def boxes(self):
        """The windows that are not the program's own five: message boxes, file
        dialogs; minimised ones too, which still take the input from the rest."""
        shown = [(wid, title) for wid, title in visible() if title not in OURS and title != "play-tarvex"]
        for wid in [w for w in self.hidden_boxes if machine.wm_state(w)[0] not in ("Iconic", "Normal")]:
            del self.hidden_boxes[wid]  # closed
        return shown + [(wid, title) for wid, title in self.hidden_boxes.items() if wid not in dict(shown)]

    def wid(self, title):
        found = visible(title)
        return found[-1][0] if found else None

    def activate(self, title):
        """Brings the window up with the keyboard; None when it cannot be (a box in the way)."""
        wid = self.wid(title)
        if wid is None or self.boxes():
            return None
        xdo("windowactivate", "--sync", str(wid), timeout=3)
        xdo("windowfocus", "--sync", str(wid), timeout=3)
        if xdo("getwindowfocus").strip() != str(wid):
            return None
        # openbox may still be moving it (a restore is animated): wait until it stands still.
        wait_for(lambda: window_geometry(wid) == window_geometry(wid), LIMIT, 0.05, "the window to stand still")
        return wid

    def click(self, title, control):
        """Clicks a control where the layout puts it: True; None when the window
        was not there to click; False when a box came meanwhile, which may have
        taken the click (its effect is then not known)."""
        wid = self.activate(title)
        if wid is None:
            return None
        left, top, width, height = CONTROLS[title][control]
        geometry = window_geometry(wid)
        if title == HELP:
            x, y = left + width // 2, top + height // 2
        else:
            below = geometry["HEIGHT"] - twips(2490) if title == MAIN else 0  # the menu bar
            x, y = twips(left + width // 2), below + twips(top + height // 2)
        if self.boxes():  # a box that came meanwhile takes the click
            return False
        xdo("mousemove", str(geometry["X"] + x), str(geometry["Y"] + y), "click", "1")
        return True

    def type_in(self, title, control, what, replace, paste=False):
        """Types (or pastes) into a box; the box's new text, or None when not known."""
        clicked = self.click(title, control)
        if not clicked:
            return clicked
        xdo("key", "--delay", "15", *(["ctrl+a", "BackSpace"] if replace else ["End"]))
        if paste:
            subprocess.run(["xclip", "-selection", "clipboard"], input=what.encode(), env=self.launcher.env,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=10, check=False)
            xdo("key", "ctrl+v")
        elif what:
            xdo("type", "--delay", "15", "--", what, timeout=30)
        return not self.boxes() or False

    def menu(self, along, down, submenu=False):
        if self.activate(MAIN) is None:
            return False
        xdo("key", "--delay", "40", "Alt_L", *["Right"] * along, "Down", *["Down"] * down,
            *(["Right"] if submenu else []), "Return")
        return True

    # --- the steps: the Linux run's, as a player does them on Windows -----------------
    def do_enter(self, where, how, what, replace):
        (title, field), what = where, what.replace("{peer}", f"127.0.0.1:{self.launcher.update_host.port}") \
            .replace("{port}", str(self.launcher.update_host.port))
        if title == ADD and self.wid(ADD) is None:
            return
        control = field if title == ADD else "Server address"
        self.old = self.disk()
        typed = self.type_in(title, control, what.rstrip("\n") if title == ADD else what, replace,
                             paste=how != "type")
        if typed is None:
            return
        known = plain(what) and how == "type" and typed
        if title == MAIN:
            self.box = (what if replace else self.box + what) if known and self.box is not None else None
        elif self.fields is not None:
            index = ("IP", "Port").index(field)
            old = self.fields[index]
            self.fields[index] = (what.rstrip("\n") if replace else old + what.rstrip("\n")) \
                if plain(what.rstrip("\n")) and how == "type" and typed and old is not None else None
            if what.endswith("\n") and how == "type":
                self.accept()

    def do_pick(self, popup, moves, key):
        if self.click(MAIN, "Server address"):
            xdo("key", "--delay", "20", *(["alt+Down"] if popup else []), *[key] * moves,
                *(["Return"] if popup else []))
            self.box = None

    def do_button(self, caption):
        if caption == "query the peer":
            self.do_enter((MAIN, "Server address"), "type", "{peer}", True)
            caption = "Update"
        box, clicked = self.box, self.click(MAIN, caption)
        if clicked is None:
            return
        if not clicked:  # a box came: the click may or may not have happened
            if caption in ("Regular Tarvex", "GL Enhanced Tarvex"):
                self.settings["regular?"] = None
            elif caption != "Join Server":
                self.entries = self.box = self.fields = None
        elif caption in ("Regular Tarvex", "GL Enhanced Tarvex"):
            self.settings["regular?"] = "yes" if caption == "Regular Tarvex" else "no"
        elif caption == "Add Server":
            if self.fields is None and wait_for(lambda: self.wid(ADD), LIMIT, what="Add Server"):
                self.fields = ["play.tarvex.net", "27500"]
        elif caption == "Update" and self.entries is not None and box is not None:
            if ":" in box and "." in box and box not in self.entries:
                self.entries.append(box)
        elif caption == "Remove Server" and self.entries is not None and box is not None:
            survivors = []
            for entry in self.entries:
                if entry != box:
                    survivors.append(entry)
            self.entries = survivors
            self.box = survivors[0] if survivors else ""
        elif box is None and caption in ("Update", "Remove Server"):
            self.entries = None

    def accept(self):
        """What Ok in Add Server does to the list."""
        if self.fields is None or None in self.fields or self.entries is None:
            self.entries = self.box = None
        elif all(self.fields):
            entry = ":".join(self.fields)
            if entry not in self.entries:
                self.entries.append(entry)
                self.box = entry
        if self.main_closed:
            self.check_file(self.old)

    def do_add_server(self, op):
        if self.wid(ADD) is None:
            return self.do_button("Add Server")
        self.old = self.disk()
        if op in ("Ok", "Cancel"):
            clicked = self.click(ADD, op)
            if clicked is None:
                return
            if clicked is False:
                self.entries = self.box = None
        elif op == "close box":
            if self.boxes():
                return
            send_close(self.wid(ADD))
        else:
            if self.activate(ADD) is None:
                return
            xdo("key", op)
        if op in ("Ok", "Return"):
            if self.fields is not None and None not in self.fields and not all(self.fields):
                wait_for(lambda: self.boxes(), LIMIT, what="\"You must fill in both fields.\"")
                return
            self.accept()
        if op != "Escape" and quietly(wait_for, lambda: self.wid(ADD) is None, LIMIT):
            self.fields = None

    def do_edit_paths(self, op, box, what):
        if self.wid(PATHS) is None:
            # File: Advanced: Edit Paths
            if self.menu(0, 0, submenu=True) and quietly(wait_for, lambda: self.wid(PATHS), LIMIT):
                self.paths = [self.settings[key] for key in SETTINGS]
            return
        names = list(CONTROLS[PATHS])
        if op in ("type", "paste"):
            typed = self.type_in(PATHS, names[box], what, False, paste=op == "paste")
            if typed is not None:
                self.paths[box] = self.paths[box] + what if op == "type" and plain(what) and typed and \
                    self.paths[box] is not None else None
        elif op == "close box":
            if not self.boxes():
                send_close(self.wid(PATHS))
        elif op == "Browse...":
            self.click(PATHS, f"Browse...{box % 2}")
        else:
            clicked = self.click(PATHS, op)
            if op == "Done" and clicked is not None:
                for key, value in zip(SETTINGS, self.paths):
                    self.settings[key] = value if clicked else None

    def do_help(self, op, what):
        if op == "close the secret":
            if self.wid(SECRET) and not self.boxes():
                send_close(self.wid(SECRET))
        elif self.wid(HELP) is None:
            self.menu(1, 0)  # Help: Help me!
        elif op == "type":
            if self.activate(HELP):
                xdo("type", "--delay", "15", "--", what, timeout=30)
        elif op == "code":  # Enter clears the sum; 7 x 106 makes 742
            if self.activate(HELP):
                xdo("key", "Return")
                xdo("type", "--delay", "15", "jjjjjjj")
                xdo("key", "Return")
        elif op == "link":
            self.click(HELP, "link")
        elif not self.boxes():
            send_close(self.wid(HELP))

    def do_dismiss(self, how):
        boxes = self.boxes()
        if not boxes:
            return
        wid, _ = boxes[-1]
        if how == "close box":
            send_close(wid)
        else:
            xdo("windowactivate", "--sync", str(wid), timeout=3)
            xdo("windowfocus", "--sync", str(wid), timeout=3)
            xdo("key", "Return" if how == "OK" else how)

    def do_close_main(self, how):
        if self.wid(MAIN) is None or self.main_closed or self.boxes():
            return
        old = self.disk()
        if how == "Exit":
            if not self.menu(0, 1):  # File: Exit
                return
        else:
            send_close(self.wid(MAIN))
        # A save that failed says so before the window goes; check_file dismisses the box.
        if quietly(wait_for, lambda: self.wid(MAIN) is None or not self.running() or self.told(), LIMIT):
            self.main_closed = True
            self.check_file(old)
            def gone():
                for wid in self.told():  # a message after the first
                    self.faults["another message at the close"] += 1
                    send_close(wid)
                    wait_for(lambda: wid not in [w for w, _ in visible()], LIMIT, what="the message to go")
                return self.wid(MAIN) is None or not self.running()
            if not quietly(wait_for, gone, LIMIT):
                self.fail("main-stays", f"the main window stayed after the message that the list was not saved; "
                                        f"open: {visible()}, folder full: {self.app_folder.full}")

    def do_traffic(self, kind, count, stranger, seed):
        Monkey.do_traffic(self, kind, count, stranger, seed)

    def do_machine(self, fault):
        # The program under Wine asks the machine's resolver; the folder is made
        # read-only for everyone here, so it cannot be filled or freed meanwhile.
        if "name server" not in fault and not (fault in ("fill", "free") and self.app_folder.read_only):
            Monkey.do_machine(self, fault)

    def do_window(self, how, title, where):
        found = xdo("search", "--all", "--name", f"^{harness._regex_escape(title)}$").split()
        states = {wid: machine.wm_state(wid) for wid in found}
        shown = [wid for wid, (state, viewable) in states.items() if state == "Normal" and viewable]
        if how == "minimise" and shown:
            xdo("windowminimize", shown[-1])
            if title not in OURS:
                self.hidden_boxes[int(shown[-1])] = title
        elif how == "move" and shown:
            geometry = window_geometry(shown[-1])
            x = int(where[0] * max(0, self.screen[0] - geometry["WIDTH"]))
            y = int(where[1] * max(0, self.screen[1] - geometry["HEIGHT"] - 30))
            xdo("windowmove", shown[-1], str(x), str(y))
        elif how == "restore" and any(state == "Iconic" for state, _ in states.values()):
            for wid in [w for w, (state, _) in states.items() if state == "Iconic"]:
                xdo("windowactivate", wid)
                if not quietly(wait_for, lambda: machine.wm_state(wid) in (("Normal", True), (None, False)), LIMIT):
                    self.fail("restore", f"{title!r} is {machine.wm_state(wid)} {LIMIT:g} s after its restore")
        else:
            return
        self.faults[how] += 1

    # --- the checks -----------------------------------------------------------------
    def fail(self, check, message):
        raise Failure(check, message)

    def iconic(self):
        """The minimised windows (not visible, yet the program's)."""
        return [wid for wid in xdo("search", "--all", "--name", ".").split() if machine.wm_state(wid)[0] == "Iconic"]

    def told(self):
        """A box of the program's own title: after a close in a full folder, that the list was not saved."""
        return [wid for wid, title in self.boxes() if title == LAUNCHER]

    def running(self):
        return self.launcher.process.poll() is None

    def disk(self):
        try:
            with open(os.path.join(self.launcher.appdir, "servers.cfg"), "rb") as f:
                return f.read()
        except FileNotFoundError:
            return None

    def own_list(self):
        """The player's own list, where the program saves when its folder is read-only."""
        for path in own_lists(PREFIX):
            with open(path, "rb") as f:
                return f.read()
        return None

    def check_file(self, old):
        """After a save: the list followed so far, whole (or, when it was not
        followed, whole lines); a full folder: the old file byte for byte and a
        message box; a read-only folder: the old file, the list in the player's own."""
        folder = self.app_folder
        want = None if self.entries is None else b"".join(e.encode("latin-1") + b"\r\n" for e in self.entries)
        state = "full" if folder.full else "read-only" if folder.read_only else "with room"

        def whole(data):
            lines = (data or b"").split(b"\r\n")
            return data is not None and lines[-1] == b"" and all(line and b"\r" not in line and b"\n" not in line
                                                                 for line in lines[:-1])

        def saved():
            now = self.disk()
            if folder.read_only:  # the folder's list as it was, the list in the player's own file
                return now == old and (want == self.own_list() if want is not None else whole(self.own_list()))
            if want is not None and now == want or want is None and whole(now) and now != old:
                return "saved"
            return self.told() and now == old and "told"
        self.faults[f"save, folder {state}"] += 1
        outcome = quietly(wait_for, saved, LIMIT)
        now = self.disk()
        if outcome is None and folder.read_only:
            self.fail("servers-cfg", f"in the read-only folder servers.cfg holds {now!r} (it held {old!r}), the "
                                     f"player's own list {self.own_list()!r}; the list: {self.entries!r}")
        # Not following the list, the run cannot tell whether a save happened (Ok
        # with an empty field saves nothing): whole lines, the old file or a new one.
        if outcome is None and not (want is None and whole(now)) and not (want is None and now == old):
            self.fail("servers-cfg", f"servers.cfg (folder {state}) holds {now and now[:400]!r}: neither the list "
                                     f"{self.entries!r} nor, with a message, the old {old!r}")
        if outcome == "told":
            self.faults["save failed, told"] += 1
            if not folder.full:
                self.fail("save-failed", f"the save failed with a message in a folder {state}")
            for wid in self.told():  # its close box, as the player who read it
                send_close(wid)
                # Gone before the next look, or it would be taken for a second message.
                wait_for(lambda: wid not in [w for w, _ in visible()], LIMIT, what="the message to go")
        leftovers = [name for name in os.listdir(folder.path) if name.startswith("servers.cfg") and
                     name != "servers.cfg"]
        if leftovers:
            self.fail("temporary-file", f"beside the list after a save: {leftovers}")
        self.on_disk = now

    def ended(self):
        code = self.launcher.process.wait()
        if code != 0:
            self.fail("exit", f"the program ended with status {code}")
        if not self.main_closed:
            self.fail("ended-early", "the program ended with its main window open")
        if self.on_disk is not None and self.disk() != self.on_disk:
            self.fail("servers-cfg", f"servers.cfg changed after the last save: {self.on_disk!r} -> {self.disk()!r}")
        values = self.launcher.registry()
        for key, value in self.settings.items():
            if value is not None and values.get(key) != ("REG_SZ", value):
                self.fail("registry", f"{KEY} holds {key!r} = {values.get(key)!r}, Edit Paths stored {value!r}")
        for key, (_, value) in values.items():
            if "\r" in value or "\n" in value:
                self.fail("one-line", f"the registry's {key!r} holds a line break: {value!r}")
        self.end_run()

    def crashed(self):
        """Wine's report of an unhandled exception, with winedbg's backtrace once it is written."""
        with open(self.launcher.log_path, errors="replace") as f:
            log = f.read()
        if "Unhandled" in log:
            # winedbg writes the backtrace, then ends the program.
            quietly(lambda: self.launcher.process.wait(120))
            with open(self.launcher.log_path, errors="replace") as f:
                self.fail("crash", f.read()[-6000:])

    def inspect(self):
        self.crashed()
        if not self.running():
            return self.ended()
        windows = visible()
        started = time.monotonic()
        for wid, title in windows:
            waited = cpu_wait(self.launcher.process.pid) or 0.0
            late = lambda: (cpu_wait(self.launcher.process.pid) or waited) - waited
            if machine.answers_ping(wid, PING, late) is False and self.running():
                if wid in [w for w, _ in visible()]:
                    self.fail("answers", f"{title!r} did not answer _NET_WM_PING within {PING:g} s "
                                         f"and the {late():.1f} s the program waited for a CPU meanwhile")
        self.slowest = max(self.slowest, time.monotonic() - started)
        titles = [title for _, title in windows]
        if titles.count("Updates") > 1:
            self.fail("one-updates-box", "more than one \"Updates\" box is open")
        for wid, title in self.boxes():
            g = quietly(window_geometry, wid)
            if g and (g["X"] < 0 or g["Y"] < 0 or g["X"] + g["WIDTH"] > self.screen[0]
                      or g["Y"] + g["HEIGHT"] > self.screen[1]):
                self.fail("notice-fits", f"the box {title!r} lies at {g}, off the screen")
        if not self.main_closed and MAIN not in titles and self.running():
            def there():  # shown or minimised
                return [machine.wm_state(w) for w in xdo("search", "--all", "--name",
                                                         f"^{harness._regex_escape(MAIN)}$").split()
                        if machine.wm_state(w)[0] == "Iconic" or machine.wm_state(w)[1]]
            if not quietly(wait_for, there, LIMIT) and self.running():
                states = [(w, machine.wm_state(w)) for w in xdo("search", "--all", "--name",
                                                               f"^{harness._regex_escape(MAIN)}$").split()]
                self.fail("main-vanished", f"the main window went without being closed; open: {titles}; "
                                           f"its X windows: {states}")
        # xdotool's search finds nothing now and then (a window going while it
        # looks): no window at all must be seen twice.
        if self.main_closed and not [t for t in titles if t != "play-tarvex"] and not self.iconic() \
                and not [t for _, t in visible() if t != "play-tarvex"]:
            if quietly(self.launcher.process.wait, LIMIT) is None:
                windows = [(wid, xdo("getwindowname", wid).strip(), machine.wm_state(wid))
                           for wid in xdo("search", "--all", "--name", ".").split()]
                late = quietly(self.launcher.process.wait, 60)
                self.fail("no-exit", f"the program did not end within {LIMIT:g} s after its last window closed "
                                     f"({'nor 60 s later' if late is None else f'it ended later with status {late}'}); "
                                     f"its X windows then: {windows}")
            return self.ended()
        if os.path.exists(self.opened):
            with open(self.opened, errors="replace") as f:
                for line in f:
                    if not line.startswith(("http://", "https://")) or " " in line.strip():
                        self.fail("website", f"the opener was given {line!r}")

    def play(self, seconds):
        play(self, seconds)

    def check(self, _):
        self.inspect()

    def stop_services(self):
        pass

    def describe(self, _):
        return f"list {self.entries!r} box {self.box!r} windows {[t for _, t in visible()]}"

def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("seconds", type=float)
    parser.add_argument("seed", type=int)
    parser.add_argument("--verbose", action="store_true")
    options = parser.parse_args()
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))
    if not os.path.exists(os.path.join(PORTABLE, "play-tarvex.exe")):
        sys.exit(f"{PORTABLE} is missing: tools/windows-build.sh and tools/windows-portable.sh make it")
    print(f"chaos: Windows build, seed {options.seed}, {options.seconds:g} s, {PORTABLE}", flush=True)
    # One run at a time in the prefix: another's registry and wineserver -k would be this one's.
    os.makedirs(BUILD, exist_ok=True)
    lock = open(os.path.join(BUILD, "wineprefix-chaos.lock"), "w")
    try:
        fcntl.flock(lock, fcntl.LOCK_EX | fcntl.LOCK_NB)
    except BlockingIOError:
        print("chaos: waiting for another Windows chaos run to end", flush=True)
        fcntl.flock(lock, fcntl.LOCK_EX)
    folder = tempfile.mkdtemp(prefix=f"tarvex-chaos-windows-{options.seed}-")
    desktop = harness.Desktop()
    desktop.start()
    if not os.path.exists(os.path.join(PREFIX, "system.reg")):
        print(f"chaos: booting the Wine prefix {os.path.abspath(PREFIX)}", flush=True)
        env = dict(os.environ, WINEPREFIX=PREFIX, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")
        subprocess.run([WINE, "wineboot", "-i"], env=env, capture_output=True, check=False, timeout=600)
        subprocess.run([WINESERVER, "-w"], env=env, check=False, timeout=600)
    # Without this, a crash waits for a dialog of winedbg's that nobody reads:
    # the program never ends and the backtrace is never written.
    subprocess.run([WINE, "reg", "add", "HKCU\\Software\\Wine\\WineDbg", "/v", "ShowCrashDialog", "/t", "REG_DWORD",
                    "/d", "0", "/f"], env=dict(os.environ, WINEPREFIX=PREFIX, WINEDEBUG="-all"), capture_output=True,
                   check=True, timeout=120)
    return play_on_desktop(lambda: WineMonkey(options.seed, folder, desktop, options.verbose), options, folder,
                           desktop, "Windows build, seed {seed}", "tools/chaos.sh --windows SECONDS SEED --verbose",
                           "slowest ping round")

if __name__ == "__main__":
    sys.exit(main())
