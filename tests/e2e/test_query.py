"""The status query as a player uses it: against a real QuakeWorld server on
loopback, cross-checked with qstat, and against responders of the test that
stay silent, answer late or answer slowly."""
import json
import math
import os
import subprocess
import time

import pytest

from tools.harness import GameServer, cpu_wait, free_udp_port, start_qwserver, stop_qwserver, wait_for

QUERY = b"\xff\xff\xff\xffstatus"
LAUNCHER = "Tarvex Game Launcher"
WAIT_TEXT = "Please wait for a response from the current server before trying to ping another..."
NO_RESPONSE = ["No response from server..."]
# The launcher's own work between its clock readings and the kernel's stamps
# (building a datagram, turning a stamp's age into its clock): microseconds.
WORK_S = 0.0002


def assert_round_trip(ping, responder, waited_before, waited_after, index=0):
    """The launcher's ping is its round trip to the nearest millisecond: the
    responder's hold of the reply plus microseconds of loopback, give or take
    the launcher's own work around its stamps and the time it waited for a CPU
    from the press to the query's arrival (its send stamp may be that much
    early) and from the reply's send to the lines (its arrival stamp may be
    that much early)."""
    query = wait_for(lambda: len(responder.queries) > index and responder.queries[index], what="the reply's stamps")
    low = math.floor((query.hold - (waited_after - query.waited_before_reply) - WORK_S) * 1000 + 0.5)
    high = math.floor((query.hold + (query.waited - waited_before) + WORK_S) * 1000 + 0.5)
    assert low <= int(ping) <= high, (ping, query, waited_before, waited_after)


def assert_loopback_ping(ping, slack):
    """A real server on loopback answers within microseconds of being woken,
    and each side may have waited the slack for a CPU."""
    assert int(ping) <= math.floor((slack + WORK_S) * 1000 + 0.5) + 1, (ping, slack)


def wait_until_handled(launcher):
    """Returns once the launcher has handled every datagram that reached it
    before: it reads its one socket in order, so a notice sent now opens its box
    after them. The result list is left as it was."""
    launcher.send_to_launcher(b"msgbox every earlier datagram has been read")
    box, _ = launcher.alert("Updates")
    launcher.dismiss(box)
    wait_for(launcher.no_alert, what="the notice to close")


@pytest.fixture
def qwservers(qwserver_dir):
    """start(hostname, mapname) runs a real server on a free loopback port and
    returns the port (start.pids maps it to the server's process); every server
    is stopped after the test."""
    def start(hostname, mapname):
        port = free_udp_port()
        start.pids[port] = start_qwserver(qwserver_dir, port, hostname, mapname)
        return port

    start.pids = {}
    yield start
    for pid in start.pids.values():
        stop_qwserver(qwserver_dir, pid)


def qstat(port):
    out = subprocess.run(["quakestat", "-json", "-qws", f"127.0.0.1:{port}"], capture_output=True, text=True,
                         timeout=30, check=True).stdout
    (server,) = json.loads(out)
    assert server["status"] == "online"
    return server


def six_lines(launcher, what="the six status lines", timeout=10.0):
    # A line read over the accessibility bus right as the list is filled can
    # come back empty: wait for all six labels.
    labels = ["Hostname", "Ip", "Port", "Players", "Map", "Ping"]
    try:
        lines = launcher.wait_result_lines(lambda lines: [line.split(": ", 1)[0] for line in lines] == labels,
                                           timeout=timeout, what=what)
    except TimeoutError as error:
        raise AssertionError(f"{error}: {launcher.result_lines()}") from None
    return {label: line.split(": ", 1)[1] if ": " in line else "" for label, line in zip(labels, lines)}


def query(launcher, address):
    launcher.type_in_server_box(address)
    wait_for(lambda: launcher.combo_text() == address, what="the typed address")
    launcher.press_button("Update")


@pytest.fixture
def responders():
    """make(reply=..., delay=...): a game server stand-in of the test (see
    tools/harness/gameserver.py); every one is stopped after the test."""
    made = []

    def make(**options):
        made.append(GameServer(**options))
        return made[-1]

    yield make
    for server in made:
        server.close()


def test_live_servers_show_what_qstat_sees(start_launcher, qwservers, qwserver_dir):
    short_port = qwservers("Base One", "dm4")
    long_name = "A QuakeWorld test server with a rather long host name"
    long_port = qwservers(long_name, "dm-Test_01")
    launcher = start_launcher(servers_cfg=f"127.0.0.1:{short_port}\r\n".encode())

    waited = cpu_wait(launcher.pid) + cpu_wait(qwservers.pids[short_port])
    launcher.press_button("Update")
    shown = six_lines(launcher)
    seen = qstat(short_port)
    assert shown["Hostname"] == seen["name"] == "Base One"
    assert shown["Ip"] == "127.0.0.1"
    assert shown["Port"] == str(short_port)
    assert shown["Players"] == str(seen["numplayers"]) == "0"
    assert shown["Map"] == seen["map"] == "dm4"
    assert_loopback_ping(shown["Ping"], cpu_wait(launcher.pid) + cpu_wait(qwservers.pids[short_port]) - waited)

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

    waited = cpu_wait(launcher.pid) + cpu_wait(qwservers.pids[port])
    launcher.press_button("Update")
    expected = {"Hostname": "Full House", "Ip": "127.0.0.1", "Port": str(port), "Players": "24", "Map": "dm3"}
    launcher.wait_result_lines(lambda lines: "Players: 24" in lines, what="all 24 players")
    slack = cpu_wait(launcher.pid) + cpu_wait(qwservers.pids[port]) - waited
    # Every part has come (the server sends them back to back); nothing
    # handled after them may replace the whole reply with a part of it.
    wait_until_handled(launcher)
    shown = six_lines(launcher)
    assert {label: shown[label] for label in expected} == expected
    assert_loopback_ping(shown["Ping"], slack)


def test_reply_in_parts_out_of_order_and_duplicated(start_launcher, responders):
    info = b"\xff\xff\xff\xffn\\hostname\\In Parts\\map\\dm2\n1 0 0 9 \"a\" \"b\" 0 0\n\x00"
    second = b"\xff\xff\xff\xffn2 0 0 9 \"b\" \"b\" 0 0\n3 0 0 9 \"c\" \"b\" 0 0\n\x00"
    third = b"\xff\xff\xff\xffn4 0 0 9 \"d\" \"b\" 0 0\n\x00"
    parts = responders(reply=[third, info, second, third])
    whole_twice = responders(reply=[info, second, info])
    launcher = start_launcher(servers_cfg=f"127.0.0.1:{parts.port}\r\n127.0.0.1:{whole_twice.port}\r\n".encode())

    launcher.press_button("Update")
    wait_for(lambda: parts.queries, what="the parts to be sent")
    wait_until_handled(launcher)
    shown = six_lines(launcher)
    assert (shown["Hostname"], shown["Map"], shown["Players"]) == ("In Parts", "dm2", "4")

    # A second whole reply replaces the first; it never adds up.
    query(launcher, f"127.0.0.1:{whole_twice.port}")
    wait_for(lambda: whole_twice.queries, what="the second server's replies to be sent")
    wait_until_handled(launcher)
    shown = six_lines(launcher)
    assert (shown["Hostname"], shown["Port"], shown["Players"]) == ("In Parts", str(whole_twice.port), "1")


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
    silent.watch(launcher.pid)

    waited = cpu_wait(launcher.pid)
    launcher.press_button("Update")
    readings = []  # (when a reading of the list had come back, whether it showed the time-out)

    def timed_out():
        shown = launcher.result_lines() == NO_RESPONSE
        readings.append((time.time(), shown))
        return shown
    wait_for(timed_out, interval=0.01, what="the time-out line")
    (query,) = silent.queries
    assert query.data == QUERY
    # Not before a second from the click: no reading that came back earlier
    # showed the line. The launcher times from its clock reading at the click,
    # which came before the query's arrival by its own work and any wait for a
    # CPU in between.
    earliest = query.arrived + 1.0 - WORK_S - (query.waited - waited)
    assert [when for when, shown in readings if shown and when < earliest] == [], (readings, earliest)
    assert launcher.no_alert()

    # Idle again: the next Update sends at once.
    launcher.press_button("Update")
    wait_for(lambda: len(silent.queries) == 2, what="the second query")


def test_second_update_while_waiting_is_refused(start_launcher, responders):
    silent = responders()
    launcher = start_launcher(servers_cfg=f"127.0.0.1:{silent.port}\r\n".encode())
    silent.watch(launcher.pid)

    launcher.press_button("Update")
    wait_for(lambda: silent.queries, what="the status query")
    # On a busy machine the second press can come after the first query's
    # second; then a new query rightly leaves, and the press after it is tried.
    for _ in range(5):
        sent = len(silent.queries)
        waited = cpu_wait(launcher.pid)
        launcher.press_button("Update")
        box = wait_for(lambda: launcher.window(LAUNCHER, role="alert") or len(silent.queries) > sent,
                       what="the refusal or another query")
        if box is not True:
            break
        first, second = silent.queries[sent - 1:sent + 1]
        assert second.arrived - first.arrived >= 1.0 - WORK_S - (second.waited - waited), \
            "a second query left while the first was waiting"
    box, text = launcher.alert(LAUNCHER)
    assert text == WAIT_TEXT
    launcher.dismiss(box)
    wait_for(launcher.no_alert, what="the box to close")
    launcher.wait_result_lines(lambda lines: lines == NO_RESPONSE, what="the time-out line")
    assert len(silent.queries) == sent


def test_slow_and_late_replies_show_the_real_round_trip(start_launcher, responders):
    players = b"1 0 3 12 \"One\" \"base\" 0 0\n2 5 3 30 \"Two\" \"base\" 1 1\n3 9 3 44 \"Three\" \"base\" 2 2\n"
    reply = b"\xff\xff\xff\xffn\\hostname\\Slow Server\\map\\dm6\n" + players
    slow = responders(reply=reply, delay=0.25)
    late = responders(reply=reply.replace(b"Slow", b"Late"), delay=1.5)
    launcher = start_launcher(servers_cfg=f"127.0.0.1:{slow.port}\r\n127.0.0.1:{late.port}\r\n".encode())
    slow.watch(launcher.pid)
    late.watch(launcher.pid)

    waited = cpu_wait(launcher.pid)
    launcher.press_button("Update")
    shown = six_lines(launcher)
    assert shown["Hostname"] == "Slow Server"
    assert shown["Players"] == "3"
    assert shown["Map"] == "dm6"
    # The responder's own hold, which a loaded machine may stretch past the delay.
    assert_round_trip(shown["Ping"], slow, waited, cpu_wait(launcher.pid))

    launcher.type_in_server_box(f"127.0.0.1:{late.port}")
    wait_for(lambda: launcher.combo_text() == f"127.0.0.1:{late.port}", what="the typed address")
    waited = cpu_wait(launcher.pid)
    launcher.press_button("Update")
    launcher.wait_result_lines(lambda lines: lines == NO_RESPONSE, what="the time-out line")
    shown = six_lines(launcher, what="the late reply")
    assert shown["Hostname"] == "Late Server"
    assert shown["Port"] == str(late.port)
    # The time since the query went out, not a raw counter reading.
    assert_round_trip(shown["Ping"], late, waited, cpu_wait(launcher.pid))


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
