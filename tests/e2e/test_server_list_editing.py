"""Adding servers through the AddServer dialog and removing them, as a player does."""
import pytest

from tools.harness import UdpPeer, find, text_of, wait_for

TITLE = "The Tarvex Game Launcher"
DIALOG = "AddServer"


def dialog_fields(launcher):
    dialog = launcher.wait_window(DIALOG)
    host = wait_for(lambda: find(dialog, "text", "IP"), what="the host field")
    port = wait_for(lambda: find(dialog, "text", "Port"), what="the port field")
    return dialog, host, port


def retype(launcher, field, text):
    launcher.focus_control(field, DIALOG)
    launcher.key("ctrl+a", "BackSpace")
    if text:
        launcher.type(text)
    wait_for(lambda: text_of(field) == text, what=f"{text!r} in the field")


def read_file(path):
    with open(path, "rb") as f:
        return f.read()


def test_player_adds_one_server_removes_another_and_the_file_keeps_both_changes(start_launcher):
    original = b"keep.example:27500\r\nold.example:1\r\nfoo|bar:2\r\nold.example:1\r\n"
    launcher = start_launcher(servers_cfg=original)
    server = UdpPeer()  # the added server lives on this machine
    try:
        launcher.press_button("Add Server")
        _, host, port = dialog_fields(launcher)
        assert (text_of(host), text_of(port)) == ("play.tarvex.net", "27500")

        retype(launcher, host, "127.0.0.1")
        launcher.key("Tab", "ctrl+a", "BackSpace")  # Tab leads to the port field
        launcher.type(str(server.port))
        wait_for(lambda: text_of(port) == str(server.port), what="the typed port")
        launcher.key("Return")

        added = f"127.0.0.1:{server.port}"
        wait_for(lambda: launcher.window(DIALOG) is None, what="the dialog to close")
        wait_for(lambda: launcher.combo_text() == added, what="the added server chosen")
        assert launcher.combo_items() == ["keep.example:27500", "old.example:1", "foo|bar:2", "old.example:1",
                                          added]

        launcher.type_in_server_box("old.example:1")
        wait_for(lambda: launcher.combo_text() == "old.example:1", what="the typed server")
        launcher.press_button("Remove Server")
        wait_for(lambda: launcher.combo_items() == ["keep.example:27500", "foo|bar:2", added],
                 what="both copies removed")
        assert launcher.combo_text() == "keep.example:27500"
        assert read_file(launcher.servers_path) == original  # not before the window closes

        launcher.menu("File", "Exit")
        assert launcher.wait_exit(10) == 0
        assert read_file(launcher.servers_path) == f"keep.example:27500\r\nfoo|bar:2\r\n{added}\r\n".encode()
    finally:
        server.close()


def test_empty_field_is_refused_escape_is_ignored_and_enter_on_cancel_cancels(start_launcher):
    launcher = start_launcher(servers_cfg=b"a.example:1\r\n")
    launcher.press_button("Add Server")
    _, host, port = dialog_fields(launcher)
    retype(launcher, port, "")
    launcher.key("Return")
    box, text = launcher.alert("Error")
    assert text == "You must fill in both fields."
    launcher.dismiss(box)
    wait_for(launcher.no_alert, what="the message box to close")

    launcher.focus_control(host, DIALOG)
    launcher.key("Escape", "z")
    wait_for(lambda: text_of(host) == "play.tarvex.netz", what="typing after Escape")
    assert launcher.window(DIALOG) is not None
    launcher.key("Tab", "Tab", "Tab")  # port, Ok, Cancel
    launcher.key("Return")
    wait_for(lambda: launcher.window(DIALOG) is None, what="Enter on Cancel to close the dialog")
    assert launcher.combo_items() == ["a.example:1"]
    assert launcher.combo_text() == "a.example:1"

    # Reopened, it starts from the defaults again.
    launcher.press_button("Add Server")
    _, host, port = dialog_fields(launcher)
    assert (text_of(host), text_of(port)) == ("play.tarvex.net", "27500")


def test_ok_after_the_main_window_closed_keeps_the_server_and_ends_the_program(start_launcher):
    launcher = start_launcher(servers_cfg=b"a.example:1\r\n")
    launcher.press_button("Add Server")
    _, host, port = dialog_fields(launcher)
    launcher.menu("File", "Exit")
    wait_for(lambda: launcher.window(TITLE) is None, what="the main window to close")
    assert read_file(launcher.servers_path) == b"a.example:1\r\n"
    assert launcher.running()

    retype(launcher, host, "late.example")
    launcher.key("Return")
    assert launcher.wait_exit(10) == 0
    assert read_file(launcher.servers_path) == b"a.example:1\r\nlate.example:27500\r\n"


def test_added_server_is_queried_at_once_whether_new_or_known(start_launcher):
    server = UdpPeer()
    try:
        launcher = start_launcher()
        added = f"127.0.0.1:{server.port}"
        for _ in ("new", "known"):
            launcher.press_button("Add Server")
            _, host, port = dialog_fields(launcher)
            retype(launcher, host, "127.0.0.1")
            retype(launcher, port, str(server.port))
            launcher.key("Return")
            data, sender = server.receive(10)
            assert data == b"\xff\xff\xff\xffstatus"
            server.send(b"\xff\xff\xff\xffn\\hostname\\Test\\map\\e1m1\n", sender)
            wait_for(lambda: launcher.result_lines(), what="the status lines")
            assert launcher.combo_items() == [added]
            assert launcher.combo_text() == added
    finally:
        server.close()


def test_pasted_addresses_keep_their_first_line_all_the_way_to_the_file(start_launcher):
    # Copied from a chat or a web page, with the line break after them.
    launcher = start_launcher()
    server = UdpPeer()
    try:
        launcher.type_in_server_box("")
        launcher.paste(f"127.0.0.1:{server.port}\n")
        pasted = f"127.0.0.1:{server.port}"
        wait_for(lambda: launcher.combo_text() == pasted, what="the pasted address, one line")
        launcher.press_button("Update")
        data, sender = server.receive(10)
        assert data == b"\xff\xff\xff\xffstatus"
        server.send(b"\xff\xff\xff\xffn\\hostname\\Pasted\n", sender)
        launcher.wait_result_lines(lambda lines: "Hostname: Pasted" in lines, what="the reply")

        launcher.press_button("Add Server")
        _, host, port = dialog_fields(launcher)
        retype(launcher, host, "")
        launcher.paste("127.0.0.2\r\nsecond line")
        retype(launcher, port, "27600")
        wait_for(lambda: text_of(host) == "127.0.0.2", what="the pasted host, one line")
        launcher.key("Return")
        wait_for(lambda: launcher.window(DIALOG) is None, what="the dialog to close")

        launcher.menu("File", "Exit")
        assert launcher.wait_exit(10) == 0
        expected = f"{pasted}\r\n127.0.0.2:27600\r\n".encode()
        assert read_file(launcher.servers_path) == expected
        reopened = start_launcher(servers_cfg=expected)
        assert reopened.combo_items() == [pasted, "127.0.0.2:27600"]
    finally:
        server.close()
