"""The status query as a player uses it: against a real QuakeWorld server on
loopback, cross-checked with qstat, and against responders of the test that
stay silent, answer late or answer slowly."""
import json
import os
import subprocess
import threading
import time

import pytest

from harness import QWSERVER, UdpPeer, free_udp_port, start_qwserver, stop_qwserver, wait_for

QUERY = b"\xff\xff\xff\xffstatus"
LAUNCHER = "Tarvex Game Launcher"
WAIT_TEXT = "Please wait for a response from the current server before trying to ping another..."
NO_RESPONSE = ["No response from server..."]


@pytest.fixture
def qwservers():
    """start(hostname, mapname) runs a real server on a free loopback port and
    returns the port; every server is stopped after the test."""
    pids = []

    def start(hostname, mapname):
        port = free_udp_port()
        pids.append(start_qwserver(port, hostname, mapname))
        return port

    yield start
    for pid in pids:
        stop_qwserver(pid)


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
    as told, from a thread, so that replies can be late."""

    def __init__(self, reply=None, delay=0.0):
        self.peer = UdpPeer()
        self.port = self.peer.port
        self.reply = reply
        self.delay = delay
        self.received = []  # (monotonic time, bytes)
        self.thread = threading.Thread(target=self._serve, daemon=True)
        self.running = True
        self.thread.start()

    def _serve(self):
        self.peer.sock.settimeout(0.2)
        while self.running:
            try:
                data, address = self.peer.sock.recvfrom(65535)
            except OSError:
                continue
            self.received.append((time.monotonic(), data))
            if self.reply is not None:
                time.sleep(self.delay)
                self.peer.send(self.reply, address)

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


def test_live_servers_show_what_qstat_sees(start_launcher, qwservers):
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

    subprocess.run([os.path.join(QWSERVER, "add-qwplayers.py"), str(short_port), "Alice", "Bob"], check=True,
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
    # A millisecond clock, not a coarse one: within 2 ms of the delay.
    assert 250 <= int(shown["Ping"]) <= 252, shown["Ping"]

    query(launcher, f"127.0.0.1:{late.port}")
    launcher.wait_result_lines(lambda lines: lines == NO_RESPONSE, what="the time-out line")
    shown = six_lines(launcher, what="the late reply")
    assert shown["Hostname"] == "Late Server"
    assert shown["Port"] == str(late.port)
    # The time since the query went out, not a raw counter reading.
    assert 1500 <= int(shown["Ping"]) <= 1520, shown["Ping"]


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
