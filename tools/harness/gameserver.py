"""A game server stand-in on 127.0.0.1 for the end-to-end tests and the
benchmarks. It answers each status query as told, from a process of its own
(no interpreter lock shared with whoever watches the launcher, so a reply held
for a set time leaves at that time), and reports the kernel's stamps of its
own socket, which a busy machine cannot shift: when each query arrived and
when its reply was handed over to loopback."""
import multiprocessing
import select
import socket
import struct
import threading
import time
from typing import NamedTuple, Optional

SO_TIMESTAMPING = getattr(socket, "SO_TIMESTAMPING", 37)
# Software stamps of arrivals and of hand-overs to loopback, the latter on the
# error queue without the datagram: TX_SOFTWARE | RX_SOFTWARE | SOFTWARE | OPT_TSONLY.
_STAMPS = (1 << 1) | (1 << 3) | (1 << 4) | (1 << 11)


def kernel_stamp(ancillary):
    """The software stamp (wall clock, seconds) in a message's ancillary data, or None."""
    for level, kind, payload in ancillary:
        if level == socket.SOL_SOCKET and kind == SO_TIMESTAMPING:
            seconds, nanoseconds = struct.unpack("qq", payload[:16])
            return seconds + nanoseconds / 1e9
    return None


def cpu_wait(pid):
    """Seconds the process's main thread has waited for a CPU so far: on a busy
    machine, how late it may have been at anything it timed. None once it has ended."""
    try:
        with open(f"/proc/{pid}/schedstat") as f:
            return int(f.read().split()[1]) / 1e9
    except (FileNotFoundError, ProcessLookupError):
        return None


class Query(NamedTuple):
    data: bytes
    arrived: Optional[float]  # the kernel's stamp, wall-clock seconds
    hold: Optional[float]  # seconds from the arrival to the reply's first hand-over; None: not answered
    waited: Optional[float]  # the watched process's CPU wait when the query arrived
    waited_before_reply: Optional[float]  # and right before the reply left


def _handed_over(sock, deadline):
    while time.monotonic() < deadline:
        try:
            _, ancillary, _, _ = sock.recvmsg(1, 512, socket.MSG_ERRQUEUE | socket.MSG_DONTWAIT)
            return kernel_stamp(ancillary)
        except BlockingIOError:
            time.sleep(0.001)
    return None


def _serve(conn):
    """The server's process. Commands on conn: ("answer", datagrams or None
    for silence, delay in seconds), ("watch", pid), ("stop",). Reports each
    query as a Query, once it is answered (or at once, when silent)."""
    sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    sock.setsockopt(socket.SOL_SOCKET, SO_TIMESTAMPING, _STAMPS)
    sock.bind(("127.0.0.1", 0))
    conn.send(sock.getsockname()[1])
    reply, delay, watched = None, 0.0, None
    while True:
        ready, _, _ = select.select([sock, conn], [], [])
        if conn in ready:
            command = conn.recv()
            if command[0] == "stop":
                break
            if command[0] == "answer":
                reply, delay = command[1], command[2]
            else:
                watched = command[1]
            continue
        data, ancillary, _, address = sock.recvmsg(65535, 512)
        arrived = kernel_stamp(ancillary) or time.time()
        waited = cpu_wait(watched) if watched else None
        if reply is None:
            conn.send(Query(data, arrived, None, waited, None))
            continue
        # Sleep most of the hold, then spin: a sleep alone can overshoot by a
        # scheduler slice.
        due = arrived + delay
        while (left := due - time.time()) > 0.002:
            time.sleep(left - 0.002)
        while time.time() < due:
            pass
        waited_before_reply = cpu_wait(watched) if watched else None
        for datagram in reply:
            sock.sendto(datagram, address)
        deadline = time.monotonic() + 5
        stamps = [_handed_over(sock, deadline) for _ in reply]
        hold = stamps[0] - arrived if stamps[0] is not None else None
        conn.send(Query(data, arrived, hold, waited, waited_before_reply))
    sock.close()


class GameServer:
    """reply: the bytes of the answer, or a list of datagrams sent back to back,
    or None to stay silent; delay: seconds from a query's arrival to the reply."""

    def __init__(self, reply=None, delay=0.0):
        # Spawned, not forked: the caller may run threads (the accessibility bus's).
        context = multiprocessing.get_context("spawn")
        self._conn, child = context.Pipe()
        self._process = context.Process(target=_serve, args=(child,), daemon=True)
        self._process.start()
        self.port = self._conn.recv()
        self.queries = []  # every Query so far, in order
        self._taken = 0
        self._lock = threading.Lock()
        self.answer(reply, delay)
        self._reader = threading.Thread(target=self._read, daemon=True)
        self._reader.start()

    def _read(self):
        try:
            while True:
                query = self._conn.recv()
                with self._lock:
                    self.queries.append(query)
        except (EOFError, OSError):
            pass

    def answer(self, reply, delay=0.0):
        """Changes what later queries get."""
        self._conn.send(("answer", [reply] if isinstance(reply, bytes) else reply, delay))

    def watch(self, pid):
        """Notes the CPU wait of this process (the launcher) with each query."""
        self._conn.send(("watch", pid))

    def next_query(self, timeout=10.0):
        """The first query not yet taken with next_query, once it is reported."""
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            with self._lock:
                if len(self.queries) > self._taken:
                    self._taken += 1
                    return self.queries[self._taken - 1]
            time.sleep(0.005)
        raise TimeoutError("the game server saw no query")

    def close(self):
        try:
            self._conn.send(("stop",))
        except OSError:
            pass
        self._process.join(5)
        if self._process.is_alive():
            self._process.kill()
        self._conn.close()
