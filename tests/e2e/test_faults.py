"""What the launcher does when files and settings go wrong under it."""
import contextlib
import os
import shutil
import subprocess
import time

import pytest

from conftest import EXECUTABLE
from tools.harness import fill_filesystem, machine, read_settings, wait_for

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


def _fiu(failure):
    """Fails one system call of the save through libfiu, switched on in the running launcher."""
    def inject(launcher):
        subprocess.run(["fiu-ctrl", "-c", failure, str(launcher.pid)], check=True)
    return inject


def _fill(launcher):
    fill_filesystem(launcher.appdir)


# Each fault strikes after the window is up, just before the save.
SAVE_FAULTS = {
    "full disk": (_fill, "No space left on device"),
    "full disk, no list yet": (_fill, "No space left on device"),
    # Only the file's own writes: the window's wake-ups write too.
    "failed write": (_fiu("enable_stack_by_name name=posix/io/rw/write,"
                          "func_name=_ZN11QFileDevice9writeDataEPKcx,failinfo=28"), "No space left on device"),
    "failed fsync": (_fiu("enable name=posix/io/sync/fsync,failinfo=5"), "Input/output error"),
    "failed rename": (_fiu("enable name=posix/io/dir/rename,failinfo=13"), "Permission denied"),
}


@pytest.mark.parametrize("fault", SAVE_FAULTS)
def test_a_save_that_fails_keeps_the_old_list_and_says_why(start_launcher, tmp_path, fault):
    if os.geteuid() != 0 or not shutil.which("fiu-run"):
        pytest.skip("needs root (mount) and fiu-run")
    inject, reason = SAVE_FAULTS[fault]
    old = None if "no list yet" in fault else OLD_LIST
    app = tmp_path / "run0" / "app"
    with contextlib.ExitStack() as mounts:
        if inject is _fill:
            # Room for the program and the list, then filled.
            mounts.callback(machine.SmallFolder(str(app), os.path.getsize(EXECUTABLE) + (1 << 20)).close)
        launcher = start_launcher(servers_cfg=old, wrapper=["fiu-run", "-x"])
        # Update adds what the box holds to the list; nothing listens on that port.
        launcher.type_in_server_box("127.0.0.1:1")
        launcher.press_button("Update")
        wait_for(lambda: "127.0.0.1:1" in launcher.combo_items(), what="the added server")
        inject(launcher)
        before = sorted(os.listdir(app))
        launcher.menu("File", "Exit")
        box, text = launcher.alert("Tarvex Game Launcher")
        assert launcher.servers_path in text and reason in text, text
        launcher.dismiss(box)
        assert launcher.wait_exit(10) == 0
        # The old list byte for byte, or still none; no temporary file.
        assert sorted(os.listdir(app)) == before
        if old is not None:
            assert (app / "servers.cfg").read_bytes() == old


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


UNRESOLVED = "Could not send the query: the host name {} could not be resolved"
# Asked in this order in one run: each must end the wait for the next.
NAME_ANSWERS = [
    ("noanswer.test", "No response from server..."),
    ("nxdomain.test", UNRESOLVED),
    ("servfail.test", UNRESOLVED),
    ("ipv6only.test", UNRESOLVED),
]


def test_each_answer_of_the_name_server_gives_its_line_and_frees_the_next_query(start_launcher, tmp_path):
    import slow_dns
    from tools.harness import UdpPeer

    if not slow_dns.available():
        pytest.skip("needs root for a private mount namespace and port 53")
    names = slow_dns.SlowNameServer(directory=str(tmp_path))
    names.release()
    # "several" resolves to 127.0.0.1 and 127.0.0.2: whichever is used answers.
    first = UdpPeer()
    second = UdpPeer(address="127.0.0.2", port=first.port)
    try:
        launcher = start_launcher(wrapper=names.wrapper())
        for name, line in NAME_ANSWERS:
            launcher.type_in_server_box(f"{name}:{first.port}")
            wait_for(lambda: launcher.combo_text() == f"{name}:{first.port}", what="the typed address")
            launcher.press_button("Update")
            launcher.wait_result_lines(lambda lines: lines == [line.format(name)], what=f"the line for {name}")
            assert launcher.no_alert(), name  # no "Please wait" from the query before
        for peer in (first, second):
            peer.sock.setblocking(False)
            with pytest.raises(BlockingIOError):
                peer.sock.recvfrom(64)  # nothing left for a name without an IPv4 address
            peer.sock.setblocking(True)

        launcher.type_in_server_box(f"several.test:{first.port}")
        launcher.press_button("Update")
        reply = b"\xff\xff\xff\xffn\\hostname\\Several\\map\\dm2\n\x00"
        wait_for(lambda: _answer_one(first, second, reply), timeout=10, what="the query to one of the addresses")
        lines = launcher.wait_result_lines(lambda lines: len(lines) == 6, what="the status lines")
        assert "Several" in lines[0], lines
    finally:
        first.close()
        second.close()
        names.close()


def _answer_one(first, second, reply):
    for peer in (first, second):
        try:
            data, sender = peer.receive(timeout=0.05)
        except OSError:
            continue
        assert data == b"\xff\xff\xff\xffstatus"
        peer.send(reply, sender)
        return True
    return False
