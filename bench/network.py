#!/usr/bin/env python3
"""Ping accuracy and status time-out of the real launcher, with qstat's ping
from the same responder beside it.

The responder is the harness's game server stand-in (tools/harness/gameserver.py):
a process of its own on 127.0.0.1 that answers the status query after a set
delay, held to a busy-waited deadline, with the kernel's stamps of each query's
arrival and of its reply's hand-over.

Ping: the launcher's "Ping:" line for replies held 0, 50.5 and 250 ms, read
over the accessibility bus; quakestat -qws against the same responder. The
error of a reading is its distance from the right reading: the round trip to
the nearest whole millisecond, taken as the responder's own hold of the reply
(kernel receive stamp of the query to the kernel's stamp of the reply's hand-over) plus the loopback
transit there and back, measured beforehand by a client of our own with kernel
receive stamps. The half-millisecond delay tells rounding from truncation. Goal: a median error of at most 0.3 ms and no reading more
than 1 ms off, at every delay.
Time-out: from the kernel's receive time of the query at the silent responder
to the first repaint of the result list, seen as an X DAMAGE event on the main
window inside the list's rectangle; the list is then read to check it says
"No response from server...". The same observation on answered queries (reply
sent to list repainted) bounds the observation latency.

Usage, from the repository's root: python3 -m bench.network [--runs N] [--build DIR] [--json FILE]
"""
import argparse
import json
import os
import select
import socket
import statistics
import struct
import subprocess
import tempfile
import time

from tools import harness

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

QUERY_PREFIX = b"\xff\xff\xff\xffstatus"
NO_RESPONSE = ["No response from server..."]
DELAYS_MS = (0, 50.5, 250)
GOAL_MEDIAN_ERROR_MS = 0.3
GOAL_MAX_ERROR_MS = 1
SO_TIMESTAMPNS = getattr(socket, "SO_TIMESTAMPNS", 35)


def status_reply(hostname):
    """What a KTX server with two players sends, with our host name."""
    return (b"\xff\xff\xff\xffn\\*gamedir\\ktx\\maxfps\\77\\maxclients\\24\\maxspectators\\8\\deathmatch\\3"
            b"\\pm_ktjump\\1\\*version\\MVDSV 0.35\\*z_ext\\511\\hostname\\" + hostname.encode("latin-1")
            + b"\\*qvm\\so\\*progs\\so\\ktxver\\1.42\\timelimit\\30\\map\\dm4\\status\\Standby\n"
            b"1 0 0 999 \"Alice\" \"base\" 0 0\n2 0 0 999 \"Bob\" \"base\" 1 1\n\x00")


class Responder:
    """The game server stand-in, answering with a new host name each time, so
    that a new reply shows as a change of the list."""

    def __init__(self):
        self.server = harness.GameServer()
        self.port = self.server.port
        self.answered = 0

    def set_delay(self, seconds):
        """The next query's reply leaves this long after its arrival; None: silence."""
        if seconds is None:
            self.server.answer(None)
        else:
            self.answered += 1
            self.server.answer(status_reply(f"Bench {self.answered}"), seconds)

    def next_query(self):
        """The next query's (arrival, arrival + hold) in seconds."""
        query = self.server.next_query()
        return query.arrived, None if query.hold is None else query.arrived + query.hold

    def close(self):
        self.server.close()


class ListWatcher:
    """X DAMAGE events of the launcher's main window, kept to those that touch
    the result list's rectangle."""

    def __init__(self, display_name, window_id, rect):
        from Xlib import display
        from Xlib.ext import damage
        self.display = display.Display(display_name)
        self.display.damage_query_version()
        window = self.display.create_resource_object("window", window_id)
        self.damage = window.damage_create(damage.DamageReportRawRectangles)
        self.notify = self.display.extension_event.DamageNotify
        self.rect = rect
        self.display.sync()

    def drain(self):
        while self.display.pending_events():
            self.display.next_event()

    def next_list_repaint(self, timeout):
        """Realtime seconds at which the next repaint inside the list was
        seen, or None."""
        x, y, w, h = self.rect
        end = time.monotonic() + timeout
        fd = self.display.fileno()
        while time.monotonic() < end:
            if not self.display.pending_events():
                select.select([fd], [], [], max(0.0, end - time.monotonic()))
                seen = time.time()
                if not self.display.pending_events():
                    continue
            else:
                seen = time.time()
            event = self.display.next_event()
            if event.type != self.notify:
                continue
            a = event.area
            if a.x < x + w and x < a.x + a.width and a.y < y + h and y < a.y + a.height:
                return seen
        return None

    def close(self):
        self.display.damage_destroy(self.damage)
        self.display.close()


def qstat_ping(port):
    out = subprocess.run(["quakestat", "-qws", f"127.0.0.1:{port}", "-raw", ",", "-retry", "1"],
                         capture_output=True, text=True, timeout=30, check=True).stdout
    fields = out.strip().splitlines()[0].split(",")
    # QWS,address,name,map,max players,players,ping,retries
    if len(fields) < 7 or not fields[2].startswith("Bench"):
        raise RuntimeError(f"quakestat saw no reply: {out!r}")
    return int(fields[6])


def loopback_transit_ms(responder, runs=30):
    """Median time a query and its reply spend on loopback, there and back:
    a client's round trip (send to kernel receive stamp) less the responder's
    hold."""
    responder.set_delay(0.0)
    sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    sock.setsockopt(socket.SOL_SOCKET, SO_TIMESTAMPNS, 1)
    sock.settimeout(5)
    transits = []
    try:
        for _ in range(runs):
            sent = time.time()
            sock.sendto(QUERY_PREFIX, ("127.0.0.1", responder.port))
            _, ancillary, _, _ = sock.recvmsg(65535, 64)
            (level, kind, payload), = [a for a in ancillary if a[1] == SO_TIMESTAMPNS]
            seconds, nanoseconds = struct.unpack("qq", payload[:16])
            received_back = seconds + nanoseconds / 1e9
            held_from, held_to = responder.next_query()
            transits.append(((received_back - sent) - (held_to - held_from)) * 1000)
    finally:
        sock.close()
    return statistics.median(transits)


def errors(samples, transit_ms):
    """|reading - right reading| for (reading, hold in ms) pairs; the right
    reading is the round trip to the nearest millisecond, halves up."""
    return [abs(reading - int(hold + transit_ms + 0.5)) for reading, hold in samples]


def summary(values):
    return {"median": statistics.median(values), "min": min(values), "max": max(values), "runs": len(values)}


def measure_launcher(executable, runs, responder):
    """Ping per delay and the time-out, all on one launcher."""
    work = tempfile.mkdtemp(prefix="tarvex-network-")
    launcher = harness.Launcher(work, executable, servers_cfg=f"127.0.0.1:{responder.port}\r\n".encode())
    launcher.start()
    watcher = None
    try:
        launcher.receive_update_query()
        title = "The Tarvex Game Launcher"
        wid = harness.wait_for(lambda: launcher.window_id(title), what="the main window's X window")
        import pyatspi
        list_node = harness.find(launcher.main, "list", "Server status")
        lx, ly, lw, lh = list_node.queryComponent().getExtents(pyatspi.WINDOW_COORDS)
        watcher = ListWatcher(launcher.env["DISPLAY"], wid, (lx, ly, lw, lh))

        def answered_query(delay_s):
            """Presses Update; returns (shown ping, responder's hold in ms,
            reply sent -> list repainted in ms)."""
            responder.set_delay(delay_s)
            expected = f"Hostname: Bench {responder.answered}"
            watcher.drain()
            launcher.press_button("Update")
            received, sent = responder.next_query()
            repainted = watcher.next_list_repaint(5.0)
            lines = launcher.wait_result_lines(lambda lines: len(lines) == 6 and lines[0] == expected,
                                               what=expected)
            ping = int(lines[5].split(": ", 1)[1])
            return ping, (sent - received) * 1000, (repainted - sent) * 1000 if repainted else None

        pings = {}
        for delay in DELAYS_MS:
            answered_query(delay / 1000)  # the first one of a kind warms caches
            samples = [answered_query(delay / 1000) for _ in range(runs)]
            pings[delay] = samples

        timeouts = []
        for _ in range(runs):
            # An answered query first, so that the list really changes.
            answered_query(0.0)
            responder.set_delay(None)
            watcher.drain()
            launcher.press_button("Update")
            received, _ = responder.next_query()
            # Deadlines, not goals: a late time-out is reported as measured.
            repainted = watcher.next_list_repaint(10.0)
            if repainted is None:
                raise RuntimeError("the result list was not repainted within 10 s of the query")
            harness.wait_for(lambda: launcher.result_lines() == NO_RESPONSE, what="the time-out line")
            timeouts.append((repainted - received) * 1000)
        return pings, timeouts
    finally:
        if watcher:
            watcher.close()
        launcher.stop()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--runs", type=int, default=15)
    parser.add_argument("--build", default=os.environ.get("TARVEX_BUILD_DIR", os.path.join(ROOT, "build")))
    parser.add_argument("--json")
    args = parser.parse_args()
    if args.runs < 1 or args.runs > 200:
        parser.error("--runs must be 1 to 200")

    responder = Responder()
    desktop = harness.Desktop()
    try:
        transit = loopback_transit_ms(responder)
        qstat = {}
        for delay in DELAYS_MS:
            responder.set_delay(delay / 1000)
            qstat[delay] = []
            for _ in range(args.runs):
                reading = qstat_ping(responder.port)
                received, sent = responder.next_query()
                qstat[delay].append((reading, (sent - received) * 1000))
        desktop.start()
        pings, timeouts = measure_launcher(os.path.join(os.path.abspath(args.build), "play-tarvex"), args.runs, responder)
    finally:
        responder.close()
        desktop.stop()

    result = {"runs": args.runs, "ping": {}, "timeout_ms": summary(timeouts), "loopback_transit_ms": transit,
              "goal": {"median_error_ms": GOAL_MEDIAN_ERROR_MS, "max_error_ms": GOAL_MAX_ERROR_MS}}
    print(f"Ping over {args.runs} runs (ms); error = |reading - round trip to the nearest ms|; "
          f"loopback transit {transit:.3f} ms")
    print(f"{'delay':>6} {'launcher':>9} {'median err':>10} {'max err':>8} {'qstat':>6} {'median err':>10} "
          f"{'max err':>8} {'hold':>7}")
    latencies = []
    met = True
    for delay in DELAYS_MS:
        ours = [(p, h) for p, h, _ in pings[delay]]
        latencies += [lat for _, _, lat in pings[delay] if lat is not None]
        theirs = qstat[delay]
        entry = {
            "launcher": summary([p for p, _ in ours]),
            "launcher_median_error": statistics.median(errors(ours, transit)),
            "launcher_max_error": max(errors(ours, transit)),
            "qstat": summary([p for p, _ in theirs]),
            "qstat_median_error": statistics.median(errors(theirs, transit)),
            "qstat_max_error": max(errors(theirs, transit)),
            "responder_hold_ms": summary([h for _, h in ours]),
            "launcher_samples": [p for p, _ in ours],
            "launcher_holds_ms": [round(h, 3) for _, h in ours],
            "qstat_samples": [p for p, _ in theirs],
            "qstat_holds_ms": [round(h, 3) for _, h in theirs],
            "observation_latency_samples_ms": [round(lat, 2) if lat is not None else None
                                               for _, _, lat in pings[delay]],
        }
        met = met and entry["launcher_median_error"] <= GOAL_MEDIAN_ERROR_MS \
            and entry["launcher_max_error"] <= GOAL_MAX_ERROR_MS
        result["ping"][f"{delay:g}"] = entry
        print(f"{delay:6g} {entry['launcher']['median']:9g} {entry['launcher_median_error']:10g} "
              f"{entry['launcher_max_error']:8g} {entry['qstat']['median']:6g} {entry['qstat_median_error']:10g} "
              f"{entry['qstat_max_error']:8g} {entry['responder_hold_ms']['median']:7.3f}")
    result["ping_goal_met"] = met
    print(f"Ping goal (median error <= {GOAL_MEDIAN_ERROR_MS} ms, none over {GOAL_MAX_ERROR_MS} ms): "
          f"{'met' if met else 'MISSED'}")
    result["observation_latency_ms"] = summary(latencies)
    result["timeout_samples_ms"] = [round(t, 2) for t in timeouts]
    t = result["timeout_ms"]
    print(f"Time-out, query received -> list repainted (ms): median {t['median']:.1f}, "
          f"min {t['min']:.1f}, max {t['max']:.1f} over {t['runs']} runs")
    o = result["observation_latency_ms"]
    print(f"Observation: reply sent -> list repaint seen (ms): median {o['median']:.2f}, max {o['max']:.2f}")
    if args.json:
        with open(args.json, "w") as f:
            json.dump(result, f, indent=2)


if __name__ == "__main__":
    main()
