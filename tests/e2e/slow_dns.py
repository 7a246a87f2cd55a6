"""A name server on a loopback address that answers every A query with
127.0.0.1, but holds its answers until the test releases them; for showing
that a slow lookup never freezes the launcher nor counts in its ping. The launcher is pointed at it through a private mount
namespace whose /etc/resolv.conf names this server, so the machine's own
resolver settings stay untouched."""
import os
import shutil
import socket
import struct
import threading
import time

ADDRESS = "127.0.0.77"


def _answer(query, with_address):
    ident, flags, qdcount = struct.unpack(">HHH", query[:6])
    # The question ends after the name's zero label, then type and class.
    end = query.index(b"\x00", 12) + 5
    question = query[12:end]
    header = struct.pack(">HHHHHH", ident, 0x8180 | (flags & 0x0100), 1, 1 if with_address else 0, 0, 0)
    answer = b""
    if with_address:
        answer = b"\xc0\x0c" + struct.pack(">HHIH", 1, 1, 60, 4) + socket.inet_aton("127.0.0.1")
    return header + question + answer


class SlowNameServer:
    def __init__(self, directory):
        self.held = []
        self.released = threading.Event()
        self.lock = threading.Lock()
        self.answered_at = []  # monotonic time of each answer sent
        self.sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
        self.sock.bind((ADDRESS, 53))
        self.sock.settimeout(0.2)
        self.queries = []
        self.running = True
        self.resolv_conf = os.path.join(directory, "resolv.conf")
        with open(self.resolv_conf, "w") as f:
            f.write(f"nameserver {ADDRESS}\noptions timeout:30 attempts:1\n")
        self.thread = threading.Thread(target=self._serve, daemon=True)
        self.thread.start()

    def _serve(self):
        while self.running:
            try:
                query, sender = self.sock.recvfrom(512)
            except OSError:
                continue
            self.queries.append((time.monotonic(), query))
            qtype = struct.unpack(">H", query[query.index(b"\x00", 12) + 1:][:2])[0]
            with self.lock:
                self.held.append((_answer(query, with_address=(qtype == 1)), sender))
            if self.released.is_set():
                self._answer_held()

    def _answer_held(self):
        with self.lock:
            while self.held and self.running:
                reply, sender = self.held.pop(0)
                self.answered_at.append(time.monotonic())
                self.sock.sendto(reply, sender)

    def release(self):
        """Answers every query held so far, and later ones at once."""
        self.released.set()
        self._answer_held()

    def wrapper(self):
        """A command prefix that runs the launcher with this server as its only resolver."""
        return ["unshare", "--mount", "sh", "-c", 'mount --bind "$0" /etc/resolv.conf && exec "$1"',
                self.resolv_conf]

    def close(self):
        self.running = False
        self.thread.join(2)
        self.sock.close()


def available():
    return os.geteuid() == 0 and shutil.which("unshare") is not None
