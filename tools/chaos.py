#!/usr/bin/python3
"""Chaos run: a seeded monkey plays the sanitizer build as a player would
(typing and pasting any text, picking, every button, every window opened and
closed in any order, also under message boxes, the main window closed while
others stay open) while the update host's socket sends a random mix of status
replies, notices, empty, 65,507-byte and burst datagrams and answers the
status queries as a game server. After every step it checks the program:
see tests/e2e/README.md, "The chaos run".

  /usr/bin/python3 -m tools.chaos SECONDS SEED [--verbose]   (from the repository's root; tools/chaos.sh)

The same seed draws the same steps. A failure prints the seed, the step and
the last steps, keeps the run's folder and exits 1.
"""
import argparse
import collections
import contextlib
import errno
import os
import random
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import threading
import time

from tools import harness
from tools.harness import find, find_all, machine, press, text_of, wait_for, xdotool
from tools.harness.gameserver import cpu_wait

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
EXECUTABLE = os.path.join(os.environ.get("TARVEX_BUILD_DIR", os.path.join(ROOT, "build-sanitize")), "play-tarvex")
MAIN, ADD, PATHS, HELP, SECRET = ("The Tarvex Game Launcher", "AddServer", "Edit Paths", "How can I get help?",
                                  "You found a secret!")
LAUNCHER = "Tarvex Game Launcher"  # the title of the program's own message boxes
PATH_BOXES = ["Regular client path", "GL client path", "Regular client parameters", "GL client parameters"]
START = 60.0   # the longest a sanitizer build on a loaded machine may take to show its main window
# The longest an accessibility round trip may take, beside the time the
# program's main thread waited for a CPU meanwhile (a busy machine's share):
# the slowest answer seen on a busy machine was 0.3 s; and never less than ten
# times the slowest answer of this run so far.
ANSWER = 5.0
SLOW = 1.0     # answers slower than this are noted
Q = b"\xff\xff\xff\xff"

ASCII = [chr(c) for c in range(32, 127)]
LATIN1 = [chr(c) for c in range(0xA0, 0x100)]
WIDE = ["\u20ac", "\u03a9", "\u0142", "\u4e2d", "\U0001f600", "\U0001f3ae", "\U0001d11e"]


class Failure(Exception):
    def __init__(self, check, message):
        super().__init__(f"{check}: {message}")
        self.check = check


def text(rng, most=20):
    pool = rng.choice([ASCII, ASCII + LATIN1, ASCII + WIDE, ASCII + LATIN1 + WIDE])
    return "".join(rng.choice(pool) for _ in range(rng.randint(0, most)))


def address(rng):
    """A server box text; "{peer}" stands for the run's game server."""
    return rng.choice(["{peer}", "{peer}", "127.0.0.1:{port} ", "a.example:1", "no address", "",
                       # what the run's name server answers: 127.0.0.1, or see tests/e2e/slow_dns.py
                       rng.choice(["peer", "nxdomain", "servfail", "noanswer", "ipv6only", "several"])
                       + ".example:{port}",
                       f"{text(rng, 8)}.{text(rng, 8)}:{rng.randint(0, 70000)}", text(rng)])


def pasted(rng):
    """A text as copied from a chat or a web page, line breaks and all."""
    first, second = address(rng), address(rng)
    return rng.choice([first, first + "\n", "\n" + first, first + "\r\n", first + "\r\n" + second,
                       first + "\n" + second, first + "\r"])


def stored(typed, wide_as=1):
    """The entry the launcher keeps for a typed text: one byte per character,
    '?' for what Latin-1 cannot hold (wide_as=2: once per UTF-16 unit)."""
    return "".join(c if ord(c) < 256 else "?" * (wide_as if ord(c) > 0xFFFF else 1) for c in typed)


def status_parts(rng, players):
    info = Q + b"n\\hostname\\" + os.urandom(rng.randint(0, 60)).replace(b"\\", b"/") + b"\\map\\dm3\n"
    return [info] + [Q + b"n" + f'{i} 0 10 {i} "p{i}" "" 4 4\n'.encode() for i in range(players)]


def scrambled(rng, parts):
    """A reply's parts reordered, some of them twice."""
    parts = parts + rng.sample(parts, rng.randint(0, len(parts)))
    rng.shuffle(parts)
    return parts


def datagram(rng):
    """One hostile datagram: a status reply or a part of one, a notice, garbage."""
    kind = rng.randrange(7)
    return [lambda: b"".join(status_parts(rng, rng.randint(0, 5))),
            lambda: rng.choice(status_parts(rng, 3)),
            lambda: rng.choice([b"msgbox ", b"MsgBox ", b"msgbox"]) + text(rng, 60).encode("latin-1", "replace"),
            lambda: b"website " + rng.choice([b"https://tarvex.example/", b"file:///etc/passwd", b"http://a b",
                                              text(rng).encode("latin-1", "replace")]),
            lambda: b"",
            lambda: os.urandom(rng.randint(1, 200)),
            lambda: rng.choice([b"msgbox " + b"\n" * 65500, b"msgbox " + b"x" * 65500, b"msgbox " + b"ab \n" * 16375,
                                Q + b"n\\hostname\\" + b"h" * 65490, os.urandom(65507),
                                b"website http://" + b"a" * 65492])][kind]()


class Peer:
    """The run's update host and game server: one UDP socket on 127.0.0.1
    that learns the launcher's address from "Updates?" and answers every
    status query (whole, in parts, scrambled, late or never)."""

    def __init__(self, udp, rng):
        self.sock, self.rng, self.launcher = udp.sock, rng, None
        self.stop = threading.Event()
        self.thread = threading.Thread(target=self.serve, daemon=True)
        self.thread.start()

    def serve(self):
        self.sock.settimeout(0.2)
        while not self.stop.is_set():
            try:
                data, sender = self.sock.recvfrom(65535)
            except OSError:
                continue
            if data == b"Updates?":
                self.launcher = sender
            elif data == Q + b"status":
                rng = self.rng
                parts = status_parts(rng, rng.randint(0, 6))
                how = rng.choice(["whole", "parts", "scrambled", "late", "never"])
                parts = {"whole": [b"".join(parts)], "scrambled": scrambled(rng, parts), "never": []}.get(how, parts)
                if how == "late":  # after the launcher's time-out, as a slow server would
                    threading.Timer(1.2, self.send, (parts, sender)).start()
                else:
                    self.send(parts, sender)

    def send(self, datagrams, to):
        for data in datagrams:
            try:
                self.sock.sendto(data, to)
            except OSError:
                pass  # a full buffer or a closed socket drops it, as a network would

    def close(self):
        self.stop.set()
        self.thread.join()


def showing(node):
    return node.getState().contains(harness._pyatspi().STATE_SHOWING)  # a program that does not answer raises


def recorder(path, log):
    """Writes a stand-in program at path that appends its arguments to log."""
    with open(path, "w") as f:
        f.write(f"#!/bin/sh\nprintf '%s\\n' \"$*\" >> '{log}'\n")
    os.chmod(path, 0o755)


def quietly(call, *args):
    """A player's attempt: what cannot be done (a window gone, a box in the way) simply does nothing."""
    try:
        return call(*args)
    except Exception:
        return None


def play(monkey, seconds, observe=lambda: None):
    """Runs the seed's steps for seconds, on Linux and under Wine alike:
    monkey.check(observed) after each, with what observe() saw before it."""
    end = time.monotonic() + seconds
    weights = [w for w, _, _ in monkey.STEPS]
    while time.monotonic() < end:
        if monkey.launcher is None:
            monkey.start_run()
        _, name, draw = monkey.rng.choices(monkey.STEPS, weights)[0]
        args = draw(monkey.rng)
        monkey.step += 1
        monkey.steps.append(f"{monkey.step:5} run{monkey.runs - 1} {name}{args!r}")
        began = time.monotonic()
        observed = observe()
        try:
            getattr(monkey, "do_" + name)(*args)
        except Failure:
            raise
        except Exception as error:  # the player's attempt did nothing: a window went, a box was in the way
            monkey.steps[-1] += f"  (no effect: {type(error).__name__})"
        monkey.check(observed)
        if monkey.verbose:
            print(f"{monkey.steps[-1]}  [{time.monotonic() - began:.1f} s] {monkey.describe(observed)}", flush=True)


class Monkey:
    def __init__(self, seed, folder, verbose=False):
        self.seed, self.folder, self.verbose = seed, folder, verbose
        self.rng = random.Random(seed)
        self.step, self.steps, self.runs, self.slowest = 0, collections.deque(maxlen=30), 0, 0.0
        self.launcher = self.peer = self.app_folder = None
        self.faults = collections.Counter()  # the machine's faults met, by kind
        # Every name the program looks up goes to the run's own name server.
        self.names = machine.NameServer(folder)
        self.screen = [int(v) for v in xdotool("getdisplaygeometry").split()]
        self.bin = os.path.join(folder, "bin")
        self.client, self.broken_client = os.path.join(self.bin, "client"), os.path.join(self.bin, "not-a-program")
        os.makedirs(self.bin)
        recorder(os.path.join(self.bin, "xdg-open"), os.path.join(folder, "opened"))
        recorder(self.client, os.path.join(folder, "joined"))
        with open(self.broken_client, "w") as f:
            f.write("not executable\n")
        # Not ours, and only when the program ends in the middle of them: an
        # accessibility call that reached Qt's D-Bus thread leaves its message
        # to libdbus; a name lookup on Qt's lookup thread leaves the resolver's.
        self.suppressions = os.path.join(folder, "lsan.supp")
        with open(self.suppressions, "w") as f:
            f.write("leak:libdbus-1.so\nleak:__res_context_send\n")

    # --- runs of the program ----------------------------------------------------
    def start_run(self):
        rng = random.Random(f"{self.seed}/{self.runs}")
        workdir = os.path.join(self.folder, f"run{self.runs}")
        self.runs += 1
        paths = [self.client, self.broken_client, os.path.join(self.bin, "missing"), ""]
        # Plain parameters: the harness writes settings without QSettings' escapes.
        cmds = ["", "-nosound", "+name O'Brien -window"]
        settings = {"Regular Quake Path": rng.choice(paths), "GL Quake Path": rng.choice(paths),
                    "Regular Quake CMD": rng.choice(cmds), "GL Quake CMD": rng.choice(cmds),
                    "regular?": rng.choice(["yes", "no"])}
        env = {"ASAN_OPTIONS": f"log_path={workdir}/asan:detect_leaks=1",
               "LSAN_OPTIONS": f"suppressions={self.suppressions}:print_suppressions=0",
               "UBSAN_OPTIONS": f"log_path={workdir}/ubsan:halt_on_error=1:print_stacktrace=1"}
        # The program's folder, on a filesystem of its own that a step fills or makes read-only.
        self.app_folder = machine.SmallFolder(os.path.join(workdir, "app"), os.path.getsize(EXECUTABLE) + (1 << 20))
        self.launcher = harness.Launcher(workdir, EXECUTABLE, settings=settings, env=env, bin_dir=self.bin,
                                         wrapper=self.names.wrapper())
        if rng.random() < 0.8:  # else the program makes a new one
            with open(self.launcher.servers_path, "wb") as f:
                f.write(b"".join(stored(self.fill(address(rng))).encode("latin-1") + rng.choice([b"\r\n", b"\n", b"\r"])
                                 for _ in range(rng.randint(0, 6))))
        self.peer = Peer(self.launcher.update_host, rng)
        self.launcher.start(wait_main=False)
        # The wrapper mounts the name server's resolv.conf, then becomes the program.
        process = self.launcher.process
        # The file itself, not its path, which shows from another root in the wrapper's mount namespace.
        wait_for(lambda: quietly(os.path.samefile, f"/proc/{process.pid}/exe", self.launcher.executable)
                 or process.poll() is not None, START, what="the program under its wrapper")
        self.launcher._pid = self.app_folder.ns_pid = process.pid
        self.main = self.launcher.wait_main(timeout=START)
        wait_for(lambda: self.peer.launcher, START, what="the update query")
        self.main_closed, self.saved, self.on_disk = False, None, None

    def end_run(self, keep=False):
        self.peer.close()
        self.launcher.stop()
        self.app_folder.close(keep=os.path.join(self.launcher.workdir, "app-kept") if keep else None)
        self.launcher = self.app_folder = None

    def fill(self, what):
        port = self.launcher.update_host.port
        return what.replace("{peer}", f"127.0.0.1:{port}").replace("{port}", str(port))

    # --- what the program shows --------------------------------------------------
    def tops(self):
        app = self.launcher.app
        if app is None:
            raise LookupError("the program is not on the accessibility bus")
        return [c for c in app if c is not None and showing(c)]

    def window(self, title):
        for top in self.tops():
            if top.name == title or (title == MAIN and top.getRoleName() == "frame"):
                return top  # a minimised main window has lost its name
        return None

    def boxes(self):
        """Message boxes and the file dialog: the modal windows."""
        return [t for t in self.tops() if t.getRoleName() == "alert" or
                (t.getRoleName() == "dialog" and t.name not in (ADD, PATHS, HELP, SECRET))]

    def read(self, what):
        """Reads the accessibility tree again while it changes under the reader."""
        started = time.monotonic()
        while True:
            try:
                return what()
            except Exception:
                if not self.launcher.running() or time.monotonic() > started + max(ANSWER, 10 * self.slowest):
                    raise
            time.sleep(0.05)

    def entries(self):
        return self.read(lambda: [i.name for i in find(find(self.main, "combo box"), "list", showing_only=False)])

    def snapshot(self):
        """The windows' titles, each message box's OK button, the main window, its result lines."""
        tops = self.tops()
        oks = [(t.name, find(t, "push button", "OK")) for t in tops if t.getRoleName() == "alert"]
        main = self.window(MAIN)
        return ([t.name for t in tops], [(name, tuple(ok.queryComponent().getExtents(0))) for name, ok in oks if ok],
                main, find(main, "list", "Server status").childCount if main else 0)

    # --- a player's means --------------------------------------------------------
    def press_and_wait(self, node):
        """Presses a button as a screen reader does; returns once its click has happened."""
        press(node)
        pressed = harness._pyatspi().STATE_PRESSED

        def clicked():
            try:
                return not node.getState().contains(pressed)
            except Exception:
                return True  # its window has gone
        quietly(self.within_limit, clicked, 0.02)

    def click(self, node):
        self.launcher.click(node)

    def focus(self, node, title):
        """Gives the window the keyboard, as a click on it would; False when it
        could not (keys sent anyway would land in whatever window had it)."""
        wid = harness.window_id(title, self.launcher.pid)
        if not wid:
            return False
        xdotool("windowraise", str(wid))
        xdotool("windowfocus", str(wid))
        if node is not None:
            node.queryComponent().grabFocus()
        return xdotool("getwindowfocus").strip() == str(wid)

    def type(self, title, field, what, replace=False):
        win = self.window(title)
        if win is None or not self.focus(find(win, "text", field) if field else None, title):
            return False
        if replace:
            xdotool("key", "--delay", "10", "ctrl+a", "BackSpace")
        if what:
            xdotool("type", "--delay", "15", "--", what)
        return True

    def close_box(self, title):
        """The title-bar close box, clicked once."""
        wid = harness.window_id(title, self.launcher.pid)
        if wid:
            harness.send_close(wid)

    def after(self, predicate, blocked):
        """Waits for what a key or a close box does (a modal box swallows them),
        or for the program to end: the window may have been its last."""
        return blocked or quietly(self.within_limit, lambda: not self.launcher.running() or predicate())

    # --- the steps ------------------------------------------------------------------
    def do_enter(self, where, how, what, replace):
        """Types, pastes (Ctrl+V) or, as an accessibility tool does, sets a field's text."""
        (title, field), what = where, self.fill(what)
        if how == "set":
            win = self.window(title)
            if win is not None:
                find(win, "text", field).queryEditableText().setTextContents(what)
        elif how == "paste":
            if self.type(title, field, "", replace):
                quietly(self.launcher.paste, what)
        elif title == ADD and what.endswith("\n"):  # Enter: Ok
            self.type(title, field, what[:-1], replace)
            self.do_add_server("Return")
        else:
            self.type(title, field, what, replace)

    def do_pick(self, popup, moves, key):
        if self.type(MAIN, "Server address", ""):
            xdotool("key", "--delay", "10", *(["alt+Down"] if popup else []), *[key] * moves,
                *(["Return"] if popup else []))

    def do_button(self, caption):
        if caption == "query the peer":  # as its game server
            self.do_enter((MAIN, "Server address"), "type", "{peer}", True)
            caption = "Update"
        main = self.window(MAIN)
        if main is None:
            return
        if caption == "Join Server":
            config = harness.read_settings(self.launcher.config_home)
            for key in ("Regular Quake Path", "GL Quake Path"):  # never start a program of the machine's
                if os.path.exists(config.get(key, "")) and config[key] not in (self.client, self.broken_client):
                    return
        if caption in ("Regular Tarvex", "GL Enhanced Tarvex"):
            return self.click(find(main, "radio button", caption))
        box = text_of(find(main, "text", "Server address"))
        self.press_and_wait(find(main, "push button", caption))
        if caption == "Update" and "." in box and ":" in box and self.window(MAIN) is not None:
            entries = self.entries()
            if stored(box) not in entries:
                self.fail("one-question-mark" if stored(box, 2) in entries else "update-adds",
                          f"Update with {box!r} in the box: the list is {entries!r}")

    def do_add_server(self, op):
        dialog = self.window(ADD)
        if dialog is None:
            return self.do_button("Add Server")
        fields = [text_of(find(dialog, "text", name)) for name in ("IP", "Port")]
        old = self.disk()
        if op in ("Ok", "Cancel"):
            self.press_and_wait(find(dialog, "push button", op))
        elif op == "close box":
            self.close_box(ADD)
        else:
            blocked = bool(self.boxes())
            if not self.type(ADD, "IP", ""):
                return
            xdotool("key", op)
            if op == "Return":  # Ok, or "You must fill in both fields."
                self.after(lambda: self.window(ADD) is None or self.boxes(), blocked)
        if self.main_closed:
            self.check_late_add(fields, op in ("Ok", "Return"), old)

    def do_edit_paths(self, op, box, what):
        dialog = self.window(PATHS)
        if dialog is None:
            if self.window(MAIN) is not None:
                self.launcher.menu("File", "Advanced", "Edit Paths")
        elif op in ("type", "paste"):
            self.do_enter((PATHS, PATH_BOXES[box]), op, what, False)
        elif op == "close box":
            self.close_box(PATHS)
        elif op == "Browse...":
            self.press_and_wait(find_all(dialog, "push button", "Browse...")[box % 2])
        else:
            if op == "Done":  # what it stores must be one line each
                self.check_lines([text_of(find(dialog, "text", name)) for name in PATH_BOXES])
            self.press_and_wait(find(dialog, "push button", op))

    def do_help(self, op, what):
        win = self.window(HELP)
        if op == "close the secret":
            self.close_box(SECRET)
        elif win is None:
            if self.window(MAIN) is not None:
                self.launcher.menu("Help", "Help me!")
        elif op == "type":
            self.type(HELP, None, what)
        elif op == "code":  # Enter clears the sum; 7 x 106 makes 742
            if self.type(HELP, None, ""):
                xdotool("key", "Return")
                xdotool("type", "--delay", "15", "jjjjjjj")
                xdotool("key", "Return")
        elif op == "link":
            self.click(find(win, "label", "www.tarvex.example"))
        else:
            self.close_box(HELP)

    def do_dismiss(self, how):
        boxes = self.boxes()
        if not boxes:
            return
        box = boxes[-1]
        ok = find(box, "push button", "OK") or find(box, "push button", "Cancel")
        if how == "OK" and ok is not None:
            self.press_and_wait(ok)
        elif how == "close box":
            self.close_box(box.name)
        elif self.focus(None, box.name):
            xdotool("key", how)

    def do_close_main(self, how):
        if self.window(MAIN) is None:
            return
        entries, blocked, old = self.entries(), bool(self.boxes()), self.disk()
        if how == "Exit":  # a screen reader's menu command is never blocked
            self.launcher.menu("File", "Exit")
            blocked = False
        else:
            self.close_box(MAIN)
        # A save that failed says so before the window goes; its box is dismissed in check_file.
        path = self.launcher.own_servers_path if self.app_folder.read_only else self.launcher.servers_path
        if not blocked and self.after(lambda: self.window(MAIN) is None or self.save_failure(path), False):
            self.main_closed = True
            self.check_lines(entries)
            self.saved = [e for e in entries if e]
            self.check_file(self.saved, old)
            def gone():
                again = self.save_failure(path)
                if again:  # told once more
                    self.faults["another message at the close"] += 1
                    print(f"  note at step {self.step}: another message at the close: {again[1]!r}")
                    self.press_and_wait(find(again[0], "push button", "OK"))
                # Off the accessibility bus is gone too: the program is ending.
                return not self.launcher.running() or quietly(self.window, MAIN) is None
            # An ending sanitizer build stops its threads for the leak check, and
            # the bus gets no answer meanwhile: then the X window and the exit tell.
            if quietly(self.within_limit, gone) is None and harness.window_id(MAIN, self.launcher.pid) \
                    and quietly(self.launcher.wait_exit, START) is None:
                self.fail("main-stays", f"the main window stayed after the message that the list was not saved; "
                                        f"open: {quietly(lambda: [(t.name, t.getRoleName()) for t in self.tops()])}")

    def do_traffic(self, kind, count, stranger, seed):
        rng = random.Random(seed)
        datagrams = {"burst": lambda: [datagram(rng) for _ in range(count)],
                     "parts": lambda: scrambled(rng, status_parts(rng, count % 8))}.get(kind, lambda: [datagram(rng)])()
        if not stranger:
            return self.peer.send(datagrams, self.peer.launcher)
        with socket.socket(socket.AF_INET, socket.SOCK_DGRAM) as other:
            for data in datagrams:
                quietly(other.sendto, data, self.peer.launcher)

    def do_machine(self, fault):
        """The machine fails under the program, or comes back."""
        folder = self.app_folder
        if fault == "fill" and not folder.full:
            folder.fill()
        elif fault == "free" and folder.full:
            folder.free()
        elif fault == "read-only" and not folder.read_only:
            folder.make_read_only()
        elif fault == "writable" and folder.read_only:
            folder.make_writable()
        elif fault == "stop the name server" and self.names.running:
            self.names.stop()
        elif fault == "start the name server" and not self.names.running:
            self.names.start()
        else:
            return
        self.faults[fault] += 1

    def do_window(self, how, title, where):
        """Under the window manager: minimises, restores or moves a window."""
        wids = xdotool("search", "--all", "--pid", str(self.launcher.pid), "--name",
                       f"^{harness._regex_escape(title)}$").split()
        states = {wid: machine.wm_state(wid) for wid in wids}
        shown = [wid for wid, (state, viewable) in states.items() if state == "Normal" and viewable]
        if how == "minimise" and shown:
            xdotool("windowminimize", shown[-1])
        elif how == "move" and shown:
            geometry = harness.window_geometry(shown[-1])
            x = int(where[0] * max(0, self.screen[0] - geometry["WIDTH"]))
            y = int(where[1] * max(0, self.screen[1] - geometry["HEIGHT"] - 30))  # the title bar
            xdotool("windowmove", shown[-1], str(x), str(y))
        elif how == "restore" and any(state == "Iconic" for state, _ in states.values()):
            for wid in [w for w, (state, _) in states.items() if state == "Iconic"]:
                xdotool("windowactivate", wid)
                # Restored: shown again, as the window manager keeps it.
                if not quietly(self.within_limit, lambda: machine.wm_state(wid) in (("Normal", True), (None, False))):
                    self.fail("restore", f"{title!r} is {machine.wm_state(wid)} too long after its restore")
        else:
            return
        self.faults[how] += 1

    # --- the checks -----------------------------------------------------------------
    def fail(self, check, message):
        raise Failure(check, message)

    def check_lines(self, texts):
        for line in texts:
            if "\r" in line or "\n" in line:
                self.fail("one-line", f"a line break in a single-line box or entry: {line!r}")

    def disk(self):
        """What the list beside the program and the player's own list hold (None: no file)."""
        def read(path):
            try:
                with open(path, "rb") as f:
                    return f.read()
            except FileNotFoundError:
                return None
        return read(self.launcher.servers_path), read(self.launcher.own_servers_path)

    def save_failure(self, path):
        """The message box that tells the player the list was not saved to path: (box, its text)."""
        for box in self.boxes():
            text = "\n".join(label.name for label in find_all(box, "label") if label.name)
            if box.name == LAUNCHER and path in text:
                return box, text
        return None

    def check_file(self, expected, old):
        """After a save: the list, whole, where it goes (the player's own list when
        the program's folder is read-only); or, when the folder was full, the old
        file byte for byte and a message box naming the file and the reason."""
        want = b"".join(e.encode("latin-1") + b"\r\n" for e in expected)
        folder, (beside, own) = self.app_folder, (self.launcher.servers_path, self.launcher.own_servers_path)
        where, path = (1, own) if folder.read_only else (0, beside)
        state = "full" if folder.full else "read-only" if folder.read_only else "with room"
        self.faults[f"save, folder {state}"] += 1
        outcome = quietly(wait_for, lambda: self.disk()[where] == want or self.save_failure(path), 10.0)
        now = self.disk()
        if outcome is None:
            self.fail("servers-cfg", f"{path} (folder {state}) holds {now[where] and now[where][:400]!r}: neither "
                                     f"the list {expected!r} nor, with a message, the old {old[where]!r}")
        if folder.read_only and now[0] != old[0]:
            self.fail("servers-cfg", f"{beside} in the read-only folder changed: {old[0]!r} -> {now[0]!r}")
        if outcome is not True:
            box, text = outcome
            self.faults["save failed, told"] += 1
            if now[where] != old[where]:
                self.fail("servers-cfg", f"{path} (folder {state}) holds {now[where]!r} after a failed save "
                                         f"({text!r}); it held {old[where]!r}")
            if not folder.full:
                self.fail("save-failed", f"the save failed in a folder {state}: {text!r}")
            if os.strerror(errno.ENOSPC) not in text:
                self.fail("save-message", f"the message does not give the reason: {text!r}")
            self.press_and_wait(find(box, "push button", "OK"))
            # Gone before the next look, or it would be taken for a second message.
            quietly(self.within_limit, lambda: self.save_failure(path) is None)
        leftovers = set(os.listdir(folder.path)) - {"play-tarvex", "servers.cfg", "filler"}
        if leftovers:
            self.fail("temporary-file", f"beside the list after a save: {sorted(leftovers)}")
        self.on_disk = self.disk()

    def check_late_add(self, fields, accepting, old):
        """After the main window closed, Ok in Add Server adds a new server and writes the list again."""
        entry, wide = (stored(fields[0], n) + ":" + stored(fields[1], n) for n in (1, 2))
        # The dialog has gone, or the whole program is going: it was the last window.
        if accepting and all(fields) and entry not in self.saved and quietly(self.window, ADD) is None:
            written = self.disk()[1 if self.app_folder.read_only else 0] or b""
            if wide != entry and written.endswith(wide.encode("latin-1") + b"\r\n"):
                self.fail("one-question-mark", f"the late entry {fields!r} was written as {wide!r}")
            self.saved.append(entry)
            self.check_lines([entry])
            self.check_file(self.saved, old)
        else:
            self.check_kept()

    def check_kept(self):
        """Nothing was saved since the last check: the lists on disk are as they were."""
        if self.on_disk is not None and self.disk() != self.on_disk:
            self.fail("servers-cfg", f"the lists changed without a save: {self.on_disk!r} -> {self.disk()!r}")

    def sanitizer_reports(self):
        for name in sorted(os.listdir(self.launcher.workdir)):
            if name.startswith(("asan", "ubsan")):
                with open(os.path.join(self.launcher.workdir, name), errors="replace") as f:
                    self.fail("sanitizer", f"{name}:\n{f.read()[:6000]}")

    @staticmethod
    def closable(before):
        """Whether one step may close all these windows: the one it acts on, and
        an Add Server dialog whose Ok waited for the message box it closed."""
        boxes = set(before) - {ADD, PATHS, HELP, SECRET}
        return len([t for t in before if t != ADD or not boxes]) <= 1

    def ended(self, before):
        code = self.launcher.process.wait()
        self.sanitizer_reports()
        if code != 0:
            self.fail("exit", f"the program ended with status {code}")
        elif not self.main_closed or not self.closable(before):
            self.fail("ended-early", f"the program ended with {before!r} open")
        self.check_kept()
        self.end_run()

    def answers(self):
        if not self.launcher.running():
            return True
        try:
            tops = self.tops()  # a running program shows a window, at least until its main window closed
            return (tops or self.main_closed or self.iconic()) and all(t.queryComponent().getExtents(0) for t in tops)
        except Exception:
            self.launcher._app = None  # looked up afresh: the accessibility registry may have dropped it
            raise

    def within_limit(self, predicate, interval=0.05):
        """Waits for predicate to hold as long as the program may take to
        answer: ANSWER (or ten times the run's slowest answer) beside what its
        main thread waited for a CPU meanwhile. Returns its value, or raises
        TimeoutError with the last error seen. A single accessibility call to
        a stopped program blocks for 15 s: the predicate runs on a thread of
        its own, left behind at the limit."""
        pid, started = self.launcher.pid, time.monotonic()
        waited = cpu_wait(pid) or 0.0
        limit = max(ANSWER, 10 * self.slowest)
        outcome, error = {}, None
        while True:
            worker = threading.Thread(target=lambda: outcome.update(self._attempt(predicate)), daemon=True)
            worker.start()
            while worker.is_alive():
                worker.join(0.02)
                spent, busy = time.monotonic() - started, (cpu_wait(pid) or waited) - waited
                if spent > limit + busy:
                    raise TimeoutError(f"nothing within {spent:.1f} s (limit {limit:.1f} s, of which the program "
                                       f"waited {busy:.1f} s for a CPU){f'; last error: {error!r}' if error else ''}")
            if outcome.get("value"):
                return outcome["value"]
            error = outcome.get("error")
            time.sleep(interval)

    @staticmethod
    def _attempt(predicate):
        try:
            return {"value": predicate(), "error": None}
        except Exception as caught:  # the tree changes under the reader, or no answer
            return {"value": None, "error": caught}

    def wait_answer(self):
        """An accessibility round trip that succeeds, within the limit."""
        self.within_limit(self.answers)

    def iconic(self):
        """The titles of the program's minimised windows."""
        titles = []
        for wid in xdotool("search", "--all", "--pid", str(self.launcher.pid), "--name", ".").split():
            if machine.wm_state(wid)[0] == "Iconic":
                titles.append(xdotool("getwindowname", wid).strip())
        return titles

    def check(self, before):
        try:
            self.inspect(before)
        except Failure:
            raise
        except Exception:
            if self.launcher.running():
                raise
            self.ended(before)

    def inspect(self, before):
        if not self.launcher.running():
            return self.ended(before)
        started = time.monotonic()
        try:
            self.wait_answer()
        except TimeoutError as error:
            stacks = os.path.join(self.launcher.workdir, "stacks.txt")
            if shutil.which("gdb"):
                with open(stacks, "w") as f:
                    subprocess.run(["gdb", "-p", str(self.launcher.pid), "-batch", "-ex", "thread apply all bt"],
                                   stdout=f, stderr=subprocess.STDOUT, timeout=120, check=False)
            raise Failure("answers", f"{error}; its threads' stacks: {stacks}") from None
        took = time.monotonic() - started
        self.slowest = max(self.slowest, took)
        if took > SLOW:
            print(f"  note at step {self.step}: the program took {took:.1f} s to answer")
        self.sanitizer_reports()
        titles, oks, main, lines = self.read(self.snapshot)
        if titles.count("Updates") > 1:
            self.fail("one-updates-box", "more than one \"Updates\" box is open")
        for title, (x, y, w, h) in oks:
            if x < 0 or y < 0 or x + w > self.screen[0] or y + h > self.screen[1]:
                self.fail("notice-fits", f"the OK button of {title!r} lies at {(x, y, w, h)}, off the "
                                         f"{self.screen[0]}x{self.screen[1]} screen")
        if not self.main_closed:
            if main is None and MAIN not in self.iconic():
                self.fail("main-vanished", f"the main window went without being closed; open: {titles}")
            self.check_lines(self.entries())
            if lines not in (0, 1, 6):
                self.fail("result-lines", f"the result list holds {lines} lines")
        elif not titles and self.launcher.running() and not self.iconic():
            if quietly(self.within_limit, lambda: not self.launcher.running()) is None:
                self.fail("no-exit", "the program did not end after its last window closed")
            return self.ended([])
        opened = os.path.join(self.folder, "opened")
        if os.path.exists(opened):
            with open(opened, errors="replace") as f:
                for line in f:
                    if not line.startswith(("http://", "https://")) or " " in line.strip():
                        self.fail("website", f"the opener was given {line!r}")

    # --- the run --------------------------------------------------------------------
    FIELDS = [(MAIN, "Server address"), (ADD, "IP"), (ADD, "Port")]
    STEPS = [  # (weight, name, arguments drawn from the seed's stream)
        (14, "enter", lambda r: (r.choice(Monkey.FIELDS), "type", r.choice([address(r), text(r), text(r) + "\n"]),
                                 r.random() < 0.5)),
        (9, "enter", lambda r: (r.choice(Monkey.FIELDS), r.choice(["paste"] * 3 + ["set"]), pasted(r),
                                r.random() < 0.3)),
        (4, "pick", lambda r: (r.random() < 0.5, r.randint(1, 4), r.choice(["Down", "Up"]))),
        (22, "button", lambda r: (r.choice(["Update", "Update", "query the peer", "query the peer", "Add Server",
                                            "Remove Server", "Join Server", "Regular Tarvex",
                                            "GL Enhanced Tarvex"]),)),
        (10, "add_server", lambda r: (r.choice(["Ok", "Cancel", "Return", "Escape", "close box"]),)),
        (7, "edit_paths", lambda r: (r.choice(["type", "type", "paste", "Done", "Cancel", "close box", "Browse..."]),
                                     r.randint(0, 3), text(r))),
        (7, "help", lambda r: (r.choice(["type", "code", "code", "link", "close box", "close the secret",
                                         "close the secret"]), text(r))),
        (12, "dismiss", lambda r: (r.choice(["OK", "Return", "Escape", "close box"]),)),
        (4, "close_main", lambda r: (r.choice(["Exit", "close box"]),)),
        (6, "machine", lambda r: (r.choice(["fill", "free", "read-only", "writable", "stop the name server",
                                            "start the name server"]),)),
        (5, "window", lambda r: (r.choice(["minimise", "restore", "restore", "move"]),
                                 r.choice([MAIN, MAIN, ADD, PATHS, HELP, SECRET, LAUNCHER, "Updates"]),
                                 (r.random(), r.random()))),
        (14, "traffic", lambda r: (r.choice(["one", "one", "parts", "burst"]), r.randint(1, 3000),
                                   r.random() < 0.3, r.getrandbits(32))),
    ]

    def play(self, seconds):
        play(self, seconds, observe=lambda: quietly(lambda: [t.name for t in self.tops()]) or [])

    def describe(self, before):
        return str(before)

    def stop_services(self):
        if self.names.running:
            self.names.stop()

def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("seconds", type=float)
    parser.add_argument("seed", type=int)
    parser.add_argument("--verbose", action="store_true", help="print every step and the windows open before it")
    options = parser.parse_args()
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))  # stops the program and the desktop on the way out
    if not os.path.exists(EXECUTABLE):
        sys.exit(f"{EXECUTABLE} is missing: build the sanitize preset first")
    print(f"chaos: seed {options.seed}, {options.seconds:g} s, {EXECUTABLE}", flush=True)
    folder = tempfile.mkdtemp(prefix=f"tarvex-chaos-{options.seed}-")
    desktop = harness.Desktop()
    desktop.start()
    return play_on_desktop(lambda: Monkey(options.seed, folder, options.verbose), options, folder, desktop,
                           "seed {seed}", "tools/chaos.sh SECONDS SEED --verbose", "slowest answer")


def play_on_desktop(make_monkey, options, folder, desktop, label, replay, slowest):
    """Plays a monkey under openbox on a desktop started for it, and reports
    as the test command reads it: a failure with the seed, the step, the last
    steps and the kept folder; a pass with what the run did."""
    label = label.format(seed=options.seed)
    window_manager = contextlib.ExitStack()
    window_manager.enter_context(harness.window_manager())
    monkey, failed = None, True
    try:
        monkey = make_monkey()
        monkey.play(options.seconds)
        failed = False
    except Exception as error:  # the monkey's own errors too: the steps replay them
        print(f"chaos FAILED: {label}, step {monkey and monkey.step}: "
              f"{error if isinstance(error, (Failure, TimeoutError)) else repr(error)}")
        if monkey:
            print(f"last steps (replay: {replay}):\n" + "\n".join(monkey.steps))
        print(f"run's folder kept: {folder}")
        return 1
    finally:
        if monkey and monkey.launcher is not None:
            monkey.end_run(keep=failed)
        if monkey:
            monkey.stop_services()
        window_manager.close()
        desktop.stop()
    shutil.rmtree(folder, ignore_errors=True)
    print(f"chaos: passed, {label}: {monkey.step} steps, {monkey.runs} runs of the program, "
          f"{slowest} {monkey.slowest:.1f} s; machine and window steps: {dict(monkey.faults)}")
    return 0

if __name__ == "__main__":
    sys.exit(main())
