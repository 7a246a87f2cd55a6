"""A name server on a loopback address that holds its answers until the test
releases them; for showing that a slow lookup never freezes the launcher nor
counts in its ping, and what each kind of answer gives (ANSWERS). The
launcher is pointed at it through a private mount namespace whose
/etc/resolv.conf names this server, so the machine's own resolver settings
stay untouched."""
import os
import shutil
import socket
import struct
import threading
import time

ADDRESS = "127.0.0.77"


A, AAAA = 1, 28
NOERROR, SERVFAIL, NXDOMAIN = 0, 2, 3
# What a name gets, by its first label; any other name gets 127.0.0.1.
ANSWERS = {
    b"nxdomain": (NXDOMAIN, {}),
    b"servfail": (SERVFAIL, {}),
    b"noanswer": None,  # never answered
    b"ipv6only": (NOERROR, {AAAA: ["::1"]}),
    b"several": (NOERROR, {A: ["127.0.0.1", "127.0.0.2"], AAAA: ["::1"]}),
}
DEFAULT = (NOERROR, {A: ["127.0.0.1"]})


def _answer(query):
    """The reply to a query, or None for a name that is never answered."""
    ident, flags = struct.unpack(">HH", query[:4])
    # The question ends after the name's zero label, then type and class.
    end = query.index(b"\x00", 12) + 5
    question = query[12:end]
    qtype = struct.unpack(">H", query[end - 4:end - 2])[0]
    behaviour = ANSWERS.get(query[13:13 + query[12]], DEFAULT)
    if behaviour is None:
        return None
    rcode, records = behaviour
    family = {A: socket.AF_INET, AAAA: socket.AF_INET6}
    answers = [b"\xc0\x0c" + struct.pack(">HHIH", qtype, 1, 60, 4 if qtype == A else 16)
               + socket.inet_pton(family[qtype], address) for address in records.get(qtype, [])]
    header = struct.pack(">HHHHHH", ident, 0x8180 | (flags & 0x0100) | rcode, 1, len(answers), 0, 0)
    return header + question + b"".join(answers)


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
            reply = _answer(query)
            if reply is None:
                continue
            with self.lock:
                self.held.append((reply, sender))
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
