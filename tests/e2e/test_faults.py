"""What the launcher does when files and settings go wrong under it."""
import os
import shutil
import time

import pytest

from tools.harness import read_settings, wait_for

TITLE = "The Tarvex Game Launcher"
OLD_LIST = b"old.example:1\nold.example:2\n"


def _strace_killing_at(syscalls, path):
    """Runs the launcher under strace, which kills it with SIGKILL the moment it
    makes one of these system calls on path."""
    if shutil.which("strace") is None:
        pytest.skip("strace is not installed")
    names = ",".join(syscalls)
    return ["strace", "-f", "-qq", "-o", "/dev/null", "-P", path, "-e", f"trace={names}",
            "-e", f"inject={names}:signal=KILL"]


def test_killed_while_saving_leaves_the_old_list_whole(start_launcher, tmp_path):
    # The new list is written to an unnamed file beside the old one; the
    # launcher is killed the moment it would give that file the list's name.
    servers = str(tmp_path / "run0" / "app" / "servers.cfg")
    launcher = start_launcher(servers_cfg=OLD_LIST, wrapper=_strace_killing_at(["link", "linkat"], servers))
    launcher.menu("File", "Exit")
    launcher.wait_exit(10)
    assert launcher.process.returncode != 0, "the launcher was not killed while saving"
    with open(launcher.servers_path, "rb") as f:
        assert f.read() == OLD_LIST


def test_save_completes_to_the_new_list_when_nothing_interferes(start_launcher):
    launcher = start_launcher(servers_cfg=OLD_LIST)
    launcher.menu("File", "Exit")
    assert launcher.wait_exit(10) == 0
    with open(launcher.servers_path, "rb") as f:
        assert f.read() == b"old.example:1\r\nold.example:2\r\n"
    assert sorted(os.listdir(launcher.appdir)) == ["play-tarvex", "servers.cfg"]


def test_server_list_that_is_a_directory_is_reported_and_left_alone(start_launcher, tmp_path):
    app = tmp_path / "run0" / "app"
    (app / "servers.cfg").mkdir(parents=True)
    (app / "servers.cfg" / "inside").write_bytes(b"x")
    launcher = start_launcher(wait_main=False)
    box, text = launcher.alert("Tarvex Game Launcher", timeout=20)
    assert str(app / "servers.cfg") in text and "could not be read" in text
    launcher.dismiss(box)
    launcher.wait_main()
    assert launcher.combo_items() == []
    launcher.menu("File", "Exit")
    assert launcher.wait_exit(10) == 0
    assert (app / "servers.cfg" / "inside").read_bytes() == b"x"


def test_garbage_settings_file_still_starts_with_the_regular_client(start_launcher, tmp_path):
    config = tmp_path / "run0" / "config"
    config.mkdir(parents=True)
    (config / "Zephanor Installer.ini").write_bytes(bytes(range(256)) * 8 + b"\n[Play%20Tarvex\nregular%3F")
    launcher = start_launcher()
    assert launcher.option_selected("Regular Tarvex")
    launcher.press_button("Add Server")
    launcher.wait_window("AddServer")
    assert launcher.running()


def test_settings_that_cannot_be_saved_are_reported_once_and_the_launcher_works(start_launcher, tmp_path):
    config = tmp_path / "run0" / "config"
    (config / "Zephanor Installer.ini").mkdir(parents=True)
    launcher = start_launcher(wait_main=False)
    box, text = launcher.alert("Tarvex Game Launcher", timeout=20)
    assert "settings could not be saved" in text and "Zephanor Installer.ini" in text
    launcher.dismiss(box)
    launcher.wait_main()
    assert launcher.option_selected("Regular Tarvex")
    launcher.press_button("Add Server")
    launcher.wait_window("AddServer")
    assert launcher.no_alert()
    launcher.close_window("AddServer")
    launcher.menu("File", "Exit")
    assert launcher.wait_exit(10) == 0
    assert read_settings(str(config)) == {}


def test_slow_lookup_freezes_nothing_and_counts_in_the_time_out_but_not_in_the_ping(start_launcher, tmp_path):
    import slow_dns
    from tools.harness import UdpPeer, free_udp_port

    if not slow_dns.available():
        pytest.skip("needs root for a private mount namespace and port 53")
    names = slow_dns.SlowNameServer(directory=str(tmp_path))
    server = UdpPeer()
    try:
        # The update host's name is slow too: the window must not wait for it.
        launcher = start_launcher(wrapper=names.wrapper(), env={"TARVEX_UPDATE_HOST": "updates.slow.test"})
        launcher.type_in_server_box(f"silent.slow.test:{free_udp_port()}")
        launcher.press_button("Update")
        wait_for(lambda: any(b"silent" in q for _, q in names.queries), what="the lookup to start")
        # The time-out runs from the click: it comes while the name is still unresolved.
        launcher.wait_result_lines(lambda lines: lines == ["No response from server..."], what="the time-out line")

        address = f"game.slow.test:{server.port}"
        launcher.type_in_server_box(address)
        wait_for(lambda: launcher.combo_text() == address, what="the typed address")
        launcher.press_button("Update")
        wait_for(lambda: any(b"game" in q for _, q in names.queries), what="the lookup to start")
        asked = time.monotonic()
        # Meanwhile the player can open a window and type.
        launcher.press_button("Add Server")
        launcher.wait_window("AddServer")
        launcher.close_window("AddServer")
        server.sock.setblocking(False)
        with pytest.raises(BlockingIOError):
            server.sock.recvfrom(64)  # nothing leaves before the name is known
        server.sock.setblocking(True)
        time.sleep(max(0.0, 0.3 - (time.monotonic() - asked)))  # a lookup of at least 300 ms
        names.release()

        data, sender = server.receive(timeout=10)
        assert data == b"\xff\xff\xff\xffstatus"
        server.send(b"\xff\xff\xff\xffn\\hostname\\Slow\\map\\dm2\n\x00", sender)
        # The query left after the answer to its lookup and the reply was in
        # before this moment: a ping within that leaves the 300 ms lookup out
        # (0 or 1 on an idle machine).
        bound_ms = (time.monotonic() - names.answered_at[-1]) * 1000
        lines = launcher.wait_result_lines(lambda lines: len(lines) == 6, what="the status lines")
        assert int(lines[5].split(": ")[1]) <= max(1, round(bound_ms)), (lines, bound_ms)
    finally:
        server.close()
        names.close()
