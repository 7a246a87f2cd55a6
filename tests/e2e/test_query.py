"""The status query as a player uses it: against a real QuakeWorld server on
loopback, cross-checked with qstat, and against responders of the test that
stay silent, answer late or answer slowly."""
import json
import os
import socket
import struct
import subprocess
import threading
import time

import pytest

from tools.harness import UdpPeer, free_udp_port, start_qwserver, stop_qwserver, wait_for

QUERY = b"\xff\xff\xff\xffstatus"
LAUNCHER = "Tarvex Game Launcher"
WAIT_TEXT = "Please wait for a response from the current server before trying to ping another..."
NO_RESPONSE = ["No response from server..."]
SO_TIMESTAMPNS = getattr(socket, "SO_TIMESTAMPNS", 35)


@pytest.fixture
def qwservers(qwserver_dir):
    """start(hostname, mapname) runs a real server on a free loopback port and
    returns the port; every server is stopped after the test."""
    pids = []

    def start(hostname, mapname):
        port = free_udp_port()
        pids.append(start_qwserver(qwserver_dir, port, hostname, mapname))
        return port

    yield start
    for pid in pids:
        stop_qwserver(qwserver_dir, pid)


def qstat(port):
    out = subprocess.run(["quakestat", "-json", "-qws", f"127.0.0.1:{port}"], capture_output=True, text=True,
                         timeout=30, check=True).stdout
    (server,) = json.loads(out)
    assert server["status"] == "online"
    return server


def six_lines(launcher, what="the six status lines", timeout=10.0):
    lines = launcher.wait_result_lines(lambda lines: len(lines) == 6, timeout=timeout, what=what)
    labels = [line.split(": ", 1)[0] for line in lines]
    assert labels == ["Hostname", "Ip", "Port", "Players", "Map", "Ping"], lines
    return {label: line.split(": ", 1)[1] if ": " in line else "" for label, line in zip(labels, lines)}


def query(launcher, address):
    launcher.type_in_server_box(address)
    wait_for(lambda: launcher.combo_text() == address, what="the typed address")
    launcher.press_button("Update")


class Responder:
    """A game server stand-in: records when each query arrives and answers it
    as told (one datagram, or a list sent back to back), from a thread, so
    that replies can be late."""

    def __init__(self, reply=None, delay=0.0):
        self.peer = UdpPeer()
        self.port = self.peer.port
        self.reply = reply
        self.delay = delay
        self.received = []  # (monotonic time, bytes)
        self.holds_ms = []  # kernel arrival of each answered query to the reply's send
        self.thread = threading.Thread(target=self._serve, daemon=True)
        self.running = True
        self.thread.start()

    def _serve(self):
        sock = self.peer.sock
        sock.settimeout(0.2)
        sock.setsockopt(socket.SOL_SOCKET, SO_TIMESTAMPNS, 1)
        while self.running:
            try:
                data, ancillary, _, address = sock.recvmsg(65535, 64)
            except OSError:
                continue
            self.received.append((time.monotonic(), data))
            # The kernel's stamp: a thread woken late on a busy machine still
            # times its hold from the real arrival.
            arrived = next((struct.unpack("qq", payload[:16]) for level, kind, payload in ancillary
                            if kind == SO_TIMESTAMPNS), None)
            arrived = arrived[0] + arrived[1] / 1e9 if arrived else time.time()
            if self.reply is not None:
                time.sleep(self.delay)
                self.holds_ms.append((time.time() - arrived) * 1000)
                for datagram in self.reply if isinstance(self.reply, list) else [self.reply]:
                    self.peer.send(datagram, address)

    def close(self):
        self.running = False
        self.thread.join(2)
        self.peer.close()


@pytest.fixture
def responders():
    made = []

    def make(**options):
        made.append(Responder(**options))
        return made[-1]

    yield make
    for responder in made:
        responder.close()


def test_live_servers_show_what_qstat_sees(start_launcher, qwservers, qwserver_dir):
    short_port = qwservers("Base One", "dm4")
    long_name = "A QuakeWorld test server with a rather long host name"
    long_port = qwservers(long_name, "dm-Test_01")
    launcher = start_launcher(servers_cfg=f"127.0.0.1:{short_port}\r\n".encode())

    launcher.press_button("Update")
    shown = six_lines(launcher)
    seen = qstat(short_port)
    assert shown["Hostname"] == seen["name"] == "Base One"
    assert shown["Ip"] == "127.0.0.1"
    assert shown["Port"] == str(short_port)
    assert shown["Players"] == str(seen["numplayers"]) == "0"
    assert shown["Map"] == seen["map"] == "dm4"
    assert int(shown["Ping"]) <= 1

    subprocess.run([os.path.join(qwserver_dir, "add-qwplayers.py"), str(short_port), "Alice", "Bob"], check=True,
                   capture_output=True, timeout=60)
    launcher.press_button("Update")
    shown = launcher.wait_result_lines(lambda lines: "Players: 2" in lines, what="two players")
    assert shown[0] == "Hostname: Base One"
    assert qstat(short_port)["numplayers"] == 2

    query(launcher, f"127.0.0.1:{long_port}")
    shown = six_lines(launcher)
    seen = qstat(long_port)
    assert seen["name"] == long_name
    assert shown["Hostname"] == long_name[:42] + "..."
    assert shown["Port"] == str(long_port)
    assert shown["Map"] == seen["map"] == "dm-Test_01"
    assert shown["Players"] == "0"
    # The typed address joined the list.
    assert launcher.combo_items() == [f"127.0.0.1:{short_port}", f"127.0.0.1:{long_port}"]


def test_full_server_with_long_names_shows_every_player(start_launcher, qwservers, qwserver_dir):
    # 24 names of 31 characters make the server split its reply in two.
    port = qwservers("Full House", "dm3")
    names = [f"O'Player{i:02d}_with_a_long_long_name"[:31] for i in range(24)]
    subprocess.run([os.path.join(qwserver_dir, "add-qwplayers.py"), str(port), *names], check=True,
                   capture_output=True, timeout=120)
    launcher = start_launcher(servers_cfg=f"127.0.0.1:{port}\r\n".encode())

    launcher.press_button("Update")
    expected = {"Hostname": "Full House", "Ip": "127.0.0.1", "Port": str(port), "Players": "24", "Map": "dm3"}
    launcher.wait_result_lines(lambda lines: "Players: 24" in lines, what="all 24 players")
    time.sleep(0.3)  # nothing later may replace the whole reply with a part of it
    shown = six_lines(launcher)
    assert {label: shown[label] for label in expected} == expected
    assert int(shown["Ping"]) <= 1


def test_reply_in_parts_out_of_order_and_duplicated(start_launcher, responders):
    info = b"\xff\xff\xff\xffn\\hostname\\In Parts\\map\\dm2\n1 0 0 9 \"a\" \"b\" 0 0\n\x00"
    second = b"\xff\xff\xff\xffn2 0 0 9 \"b\" \"b\" 0 0\n3 0 0 9 \"c\" \"b\" 0 0\n\x00"
    third = b"\xff\xff\xff\xffn4 0 0 9 \"d\" \"b\" 0 0\n\x00"
    parts = responders(reply=[third, info, second, third])
    whole_twice = responders(reply=[info, second, info])
    launcher = start_launcher(servers_cfg=f"127.0.0.1:{parts.port}\r\n127.0.0.1:{whole_twice.port}\r\n".encode())

    launcher.press_button("Update")
    launcher.wait_result_lines(lambda lines: "Players: 4" in lines, what="the parts put together")
    time.sleep(0.3)
    shown = six_lines(launcher)
    assert (shown["Hostname"], shown["Map"], shown["Players"]) == ("In Parts", "dm2", "4")

    # A second whole reply replaces the first; it never adds up.
    query(launcher, f"127.0.0.1:{whole_twice.port}")
    launcher.wait_result_lines(lambda lines: f"Port: {whole_twice.port}" in lines, what="the second server")
    time.sleep(0.3)
    shown = six_lines(launcher)
    assert (shown["Hostname"], shown["Players"]) == ("In Parts", "1")


def test_silent_port_then_live_server(start_launcher, qwservers):
    live = qwservers("Still Here", "e1m1")
    dead = free_udp_port()
    launcher = start_launcher(servers_cfg=f"127.0.0.1:{dead}\r\n127.0.0.1:{live}\r\n".encode())

    launcher.press_button("Update")
    launcher.wait_result_lines(lambda lines: lines == NO_RESPONSE, what="the time-out line")
    query(launcher, f"127.0.0.1:{live}")
    shown = six_lines(launcher)
    assert shown["Hostname"] == "Still Here"
    assert shown["Map"] == "e1m1"
    assert shown["Port"] == str(live)
    assert launcher.no_alert()


def test_silent_server_times_out_after_one_second(start_launcher, responders):
    silent = responders()
    launcher = start_launcher(servers_cfg=f"127.0.0.1:{silent.port}\r\n".encode())

    launcher.press_button("Update")
    wait_for(lambda: silent.received, what="the status query")
    sent_at, data = silent.received[0]
    assert data == QUERY
    wait_for(lambda: launcher.result_lines() == NO_RESPONSE, timeout=5, interval=0.01, what="the time-out line")
    seen_after = time.monotonic() - sent_at
    # The line may only appear a second after the query left; polling over
    # the accessibility bus adds its own delay on top of the 100 ms tick.
    assert 1.0 <= seen_after < 1.6, seen_after
    assert launcher.no_alert()

    # Idle again: the next Update sends at once.
    launcher.press_button("Update")
    wait_for(lambda: len(silent.received) == 2, what="the second query")


def test_second_update_while_waiting_is_refused(start_launcher, responders):
    silent = responders()
    launcher = start_launcher(servers_cfg=f"127.0.0.1:{silent.port}\r\n".encode())

    launcher.press_button("Update")
    wait_for(lambda: silent.received, what="the status query")
    launcher.press_button("Update")
    box, text = launcher.alert(LAUNCHER)
    assert text == WAIT_TEXT
    launcher.dismiss(box)
    wait_for(launcher.no_alert, what="the box to close")
    launcher.wait_result_lines(lambda lines: lines == NO_RESPONSE, what="the time-out line")
    assert len(silent.received) == 1


def test_slow_and_late_replies_show_the_real_round_trip(start_launcher, responders):
    players = b"1 0 3 12 \"One\" \"base\" 0 0\n2 5 3 30 \"Two\" \"base\" 1 1\n3 9 3 44 \"Three\" \"base\" 2 2\n"
    reply = b"\xff\xff\xff\xffn\\hostname\\Slow Server\\map\\dm6\n" + players
    slow = responders(reply=reply, delay=0.25)
    late = responders(reply=reply.replace(b"Slow", b"Late"), delay=1.5)
    launcher = start_launcher(servers_cfg=f"127.0.0.1:{slow.port}\r\n127.0.0.1:{late.port}\r\n".encode())

    launcher.press_button("Update")
    shown = six_lines(launcher)
    assert shown["Hostname"] == "Slow Server"
    assert shown["Players"] == "3"
    assert shown["Map"] == "dm6"
    # The round trip to the nearest millisecond: the responder's hold, which
    # a loaded machine may stretch past the delay, plus microseconds of loopback.
    assert abs(int(shown["Ping"]) - slow.holds_ms[0]) <= 1, (shown["Ping"], slow.holds_ms)

    query(launcher, f"127.0.0.1:{late.port}")
    launcher.wait_result_lines(lambda lines: lines == NO_RESPONSE, what="the time-out line")
    shown = six_lines(launcher, what="the late reply")
    assert shown["Hostname"] == "Late Server"
    assert shown["Port"] == str(late.port)
    # The time since the query went out, not a raw counter reading.
    assert abs(int(shown["Ping"]) - late.holds_ms[0]) <= 1, (shown["Ping"], late.holds_ms)


def test_unusable_addresses_are_named_and_the_next_query_works(start_launcher, responders):
    answering = responders(reply=b"\xff\xff\xff\xffn\\hostname\\Fine\\map\\dm2\n")
    launcher = start_launcher()

    query(launcher, "127.0.0.1:27.500")
    box, text = launcher.alert(LAUNCHER)
    assert text == 'The port "27.500" is not a whole number from 0 to 65535.'
    launcher.dismiss(box)
    wait_for(launcher.no_alert, what="the box to close")

    # Not a valid host name, so it fails without asking any name server.
    query(launcher, "no such.host:27500")
    launcher.wait_result_lines(
        lambda lines: lines == ["Could not send the query: the host name no such.host could not be resolved"],
        what="the lookup failure line")
    assert launcher.no_alert()

    query(launcher, f"127.0.0.1:{answering.port}")
    shown = six_lines(launcher)
    assert shown["Hostname"] == "Fine"
