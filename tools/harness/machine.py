"""The machine's faults for the chaos runs, as root: a program folder on a
small filesystem of its own that fills up and is freed, that turns read-only
and writable again; a name server that stops and comes back; a window manager
that minimises, restores and moves windows."""
import contextlib
import os
import subprocess
import time

from tests.e2e import slow_dns

from . import fill_filesystem, x_state
from .desktop import wait_for

NAME_SERVER = "127.0.0.78"  # 127.0.0.77 is the end-to-end tests' own


def _run(*argv):
    subprocess.run(argv, check=True, capture_output=True, timeout=30)


class SmallFolder:
    """A folder on a tmpfs of its own, room for what is put in it and a little more.
    ns_pid: a process whose private mount namespace sees the folder (the
    launcher under its name-server wrapper); read-only is made there, since a
    bind mount's read-only flag belongs to one namespace."""

    def __init__(self, path, room):
        self.path, self.ns_pid, self.full, self.read_only = path, None, False, False
        os.makedirs(path, exist_ok=True)
        _run("mount", "-t", "tmpfs", "-o", f"size={room},mode=0755", "tarvex-chaos", path)
        self.filler = os.path.join(path, "filler")

    def _mount(self, *args):
        _run(*(["nsenter", "-t", str(self.ns_pid), "-m"] if self.ns_pid else []), "mount", *args)

    def fill(self):
        """Takes every free byte: the next file written here gets ENOSPC."""
        fill_filesystem(self.path, os.path.basename(self.filler))
        self.full = True

    def free(self):
        with contextlib.suppress(FileNotFoundError):
            os.remove(self.filler)
        self.full = False

    def make_read_only(self):
        self._mount("--bind", self.path, self.path)
        self._mount("-o", "remount,bind,ro", self.path)
        self.read_only = True

    def make_writable(self):
        self._mount("-o", "remount,bind,rw", self.path)
        _run(*(["nsenter", "-t", str(self.ns_pid), "-m"] if self.ns_pid else []), "umount", self.path)
        self.read_only = False

    def close(self, keep=None):
        """Unmounts; keep: a folder that gets the files (not the programs) first."""
        if keep:
            os.makedirs(keep, exist_ok=True)
            for name in os.listdir(self.path):
                source = os.path.join(self.path, name)
                if name != "filler" and os.path.isfile(source) and not name.endswith((".exe", ".dll")) \
                        and not os.access(source, os.X_OK):
                    with open(source, "rb") as f, open(os.path.join(keep, name), "wb") as out:
                        out.write(f.read())
        if self.read_only and not self.ns_pid:
            subprocess.run(["umount", "-l", self.path], check=False, capture_output=True)
        subprocess.run(["umount", "-l", self.path], check=False, capture_output=True)


def tree_size(path):
    return sum(os.path.getsize(os.path.join(d, f)) for d, _, files in os.walk(path) for f in files)


class NameServer:
    """The end-to-end tests' name server on an address of its own, answering
    at once; stop() closes its socket (a lookup then meets a closed port),
    start() opens it again."""

    def __init__(self, directory):
        self.directory, self.server = directory, None
        self.start()

    def start(self):
        saved, slow_dns.ADDRESS = slow_dns.ADDRESS, NAME_SERVER
        try:
            # A socket just closed may still be held a moment.
            self.server = wait_for(lambda: slow_dns.SlowNameServer(self.directory), 10, what="the name server's port")
        finally:
            slow_dns.ADDRESS = saved
        self.server.release()
        # Its own lets a lookup that gets no answer wait 30 s. The program sees
        # this very file (bound over its /etc/resolv.conf): rewritten in place.
        with open(self.server.resolv_conf, "w") as f:
            f.write(f"nameserver {NAME_SERVER}\noptions timeout:2 attempts:1\n")

    def stop(self):
        self.server.close()

    @property
    def running(self):
        return self.server.running

    def wrapper(self):
        return self.server.wrapper()


def wm_state(wid):
    """'Normal', 'Iconic' or None (withdrawn or gone), and whether the window is viewable."""
    state, mapped, *_ = x_state(wid)
    return state, mapped == "IsViewable"


def answers_ping(wid, timeout, late=lambda: 0.0):
    """Whether an X window answers _NET_WM_PING within timeout seconds plus
    late() (what a busy machine kept the program waiting meanwhile; a stopped
    program never answers); None when the window does not take pings."""
    from Xlib import X, display, protocol
    d = display.Display()
    try:
        window = d.create_resource_object("window", wid)
        ping, protocols = d.intern_atom("_NET_WM_PING"), d.intern_atom("WM_PROTOCOLS")
        taken = window.get_wm_protocols() or []
        if ping not in taken:
            return None
        root = d.screen().root
        root.change_attributes(event_mask=X.StructureNotifyMask | X.SubstructureNotifyMask)
        stamp = int(time.monotonic() * 1000) & 0x7FFFFFFF
        event = protocol.event.ClientMessage(window=window, client_type=protocols,
                                             data=(32, [ping, stamp, wid, 0, 0]))
        window.send_event(event, event_mask=X.NoEventMask)
        d.flush()
        started = time.monotonic()
        while time.monotonic() < started + timeout + late():
            while d.pending_events():
                reply = d.next_event()
                if reply.type == X.ClientMessage and reply.client_type == protocols \
                        and reply.data[1][0] == ping and reply.data[1][1] == stamp:
                    return True
            time.sleep(0.005)
        return False
    except Exception as error:  # the window went meanwhile
        if getattr(error, "__class__", None).__name__ == "BadWindow":
            return None
        raise
    finally:
        d.close()

