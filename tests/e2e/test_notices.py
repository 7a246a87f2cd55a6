"""Update notices as they come from the network: from the update host or
anyone else, one at a time or as a flood."""
import os
import stat

from tools.harness import UdpPeer, extents, find, wait_for

STATUS_REPLY = b"\xff\xff\xff\xffn\\hostname\\Behind The Box\\map\\dm3\nP1\n"


def recording_opener(tmp_path):
    """A bin directory whose xdg-open appends its arguments to a file."""
    bin_dir = tmp_path / "bin"
    bin_dir.mkdir()
    record = tmp_path / "opened.txt"
    script = bin_dir / "xdg-open"
    script.write_text(f"#!/bin/sh\nprintf '%s\\n' \"$@\" >> '{record}'\n")
    script.chmod(script.stat().st_mode | stat.S_IXUSR | stat.S_IXGRP | stat.S_IXOTH)
    return str(bin_dir), record


def opened(record):
    return record.read_text().splitlines() if record.exists() else []


def test_message_notice_shows_its_text_under_updates(start_launcher):
    launcher = start_launcher()
    launcher.send_to_launcher(b"MsgBox A new version is out.\nGet it from the website.")
    box, text = launcher.alert("Updates")
    assert "A new version is out.\nGet it from the website." in text
    launcher.dismiss(box)
    wait_for(launcher.no_alert, what="the box to close")
    assert launcher.result_lines() == []

    # A longer first word is no notice: it is read as a status reply.
    launcher.send_to_launcher(b"msgboxes are not notices")
    lines = launcher.wait_result_lines(lambda lines: len(lines) == 6, what="the status lines")
    assert lines[1] == "Ip: 127.0.0.1"
    assert launcher.no_alert()


def test_notice_filling_a_whole_datagram_fits_the_screen_and_closes_with_a_click(start_launcher):
    launcher = start_launcher()
    for body in (b"\n" * (65507 - 7), b"w" * (65507 - 7)):
        launcher.send_to_launcher(b"msgbox " + body)
        box = launcher.wait_window("Updates", role="alert")
        assert box.description == " " + body.decode()
        ok = find(box, "push button", "OK")
        screen = launcher.desktop_size()
        for x, y, w, h in (extents(box), extents(ok)):
            assert 0 <= x and x + w <= screen[0] and 0 <= y and y + h <= screen[1], (x, y, w, h)
        launcher.click(ok)  # a player with a mouse
        wait_for(launcher.no_alert, what="the box to close")
    launcher.send_to_launcher(STATUS_REPLY)
    launcher.wait_result_lines(lambda lines: "Hostname: Behind The Box" in lines, what="the window to answer")


def test_notice_flood_shows_one_box_and_replies_still_arrive(start_launcher):
    launcher = start_launcher()
    launcher.send_to_launcher(b"msgbox first")
    box, text = launcher.alert("Updates")
    assert "first" in text

    stranger = UdpPeer()
    try:
        for i in range(300):
            launcher.send_to_launcher(f"msgbox flood {i}".encode(), sender=stranger)
        # While the box is open, a status reply still reaches the result list.
        # The system may drop datagrams of the flood, this one included, so
        # it is sent again until it shows.
        def reply_shown():
            launcher.send_to_launcher(STATUS_REPLY, sender=stranger)
            try:
                return launcher.wait_result_lines(lambda lines: "Hostname: Behind The Box" in lines, timeout=1.0)
            except TimeoutError:
                return None
        lines = wait_for(reply_shown, timeout=10, what="the status reply behind the box")
        assert lines[2] == f"Port: {stranger.port}"
    finally:
        stranger.close()
    assert launcher.windows().count("Updates") == 1

    launcher.dismiss(box)
    wait_for(launcher.no_alert, what="the only box to close")
    assert launcher.running()

    # The flood was dropped, and the next notice is shown again.
    launcher.send_to_launcher(b"msgbox after the flood")
    box, text = launcher.alert("Updates")
    assert "after the flood" in text
    launcher.dismiss(box)


def test_website_notice_opens_only_web_addresses_and_a_refused_one_silences_nothing(start_launcher, tmp_path):
    bin_dir, record = recording_opener(tmp_path)
    # No opener on the PATH at first: the desktop refuses a checked address.
    hidden = tmp_path / "xdg-open"
    os.rename(os.path.join(bin_dir, "xdg-open"), hidden)
    launcher = start_launcher(env={"PATH": bin_dir})
    for refused in (b"website file:///etc/passwd", b"website /usr/bin/xterm", b"website ftp://tarvex.example/",
                    b"website", b"website http://a.example/ file:///etc/passwd", b"website http://a|b/x",
                    b"website http://[zz]/x", b"website http://nothing-opens.example/"):
        launcher.send_to_launcher(refused)
    # The box shows once every datagram before it was handled.
    launcher.send_to_launcher(b"msgbox handled")
    launcher.dismiss(launcher.alert("Updates")[0])
    os.rename(hidden, os.path.join(bin_dir, "xdg-open"))
    launcher.send_to_launcher(b"WEBSITE https://tarvex.example/news?id=7")
    wait_for(lambda: opened(record), what="the opener to run")
    assert opened(record) == ["https://tarvex.example/news?id=7"]
    wait_for(launcher.no_alert, what="the box to close")
    assert launcher.result_lines() == []


def test_notice_ends_an_outstanding_query(start_launcher):
    silent = UdpPeer()
    try:
        launcher = start_launcher(servers_cfg=f"127.0.0.1:{silent.port}\r\n".encode())
        launcher.press_button("Update")
        assert silent.receive()[0] == b"\xff\xff\xff\xffstatus"
        launcher.send_to_launcher(b"website")
        # No "please wait": the notice ended the wait, so this one goes out.
        launcher.press_button("Update")
        assert silent.receive()[0] == b"\xff\xff\xff\xffstatus"
        assert launcher.no_alert()
    finally:
        silent.close()
