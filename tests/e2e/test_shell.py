"""The launcher shell as a player and a screen reader meet it."""
import os

from tools.harness import find, read_only_directory, read_settings, wait_for

TITLE = "The Tarvex Game Launcher"


def test_first_start_writes_defaults_sends_update_query_and_shows_the_window(start_launcher):
    launcher = start_launcher()

    assert launcher.receive_update_query() == b"Updates?"
    assert launcher.launcher_address[0] == "127.0.0.1"
    settings = read_settings(launcher.config_home)
    assert settings == {
        "regular?": "yes",
        "GL Quake Path": os.path.join(launcher.appdir, "qf-client-wgl.exe"),
        "GL Quake CMD": "",
        "Regular Quake Path": os.path.join(launcher.appdir, "qf-client-win.exe"),
        "Regular Quake CMD": "",
    }
    assert launcher.option_selected("Regular Tarvex")
    assert not launcher.option_selected("GL Enhanced Tarvex")
    assert launcher.combo_text() == ""
    assert launcher.result_lines() == []
    for caption in ("Update", "Add Server", "Remove Server", "Join Server"):
        assert find(launcher.main, "push button", caption) is not None
    assert find(launcher.main, "list", "Server status") is not None


def test_stored_choice_selects_gl_client_and_list_fills_server_box(start_launcher):
    launcher = start_launcher(servers_cfg=b"a.example:27500\r\n\r\nb.example:27600\n",
                              settings={"regular?": "no", "GL Quake Path": "/opt/gl client"})
    assert launcher.option_selected("GL Enhanced Tarvex")
    assert launcher.combo_text() == "a.example:27500"
    assert launcher.combo_items() == ["a.example:27500", "", "b.example:27600"]
    settings = read_settings(launcher.config_home)
    assert settings["regular?"] == "no"
    assert settings["GL Quake Path"] == "/opt/gl client"


def test_typing_in_the_server_box_replaces_the_text(start_launcher):
    launcher = start_launcher(servers_cfg=b"a.example:27500\r\n")
    launcher.type_in_server_box("typed.example:1")
    wait_for(lambda: launcher.combo_text() == "typed.example:1", what="the typed text")
    # Typed text never becomes an entry by itself, not even with Enter.
    launcher.key("Return")
    assert launcher.combo_items() == ["a.example:27500"]


def test_exit_saves_the_list_and_ends_the_program(start_launcher):
    launcher = start_launcher(servers_cfg=b"a.example:27500\r\rb.example:1\n\r\n")
    launcher.menu("File", "Exit")
    assert launcher.wait_exit(10) == 0
    with open(launcher.servers_path, "rb") as f:
        assert f.read() == b"a.example:27500\r\nb.example:1\r\n"


def test_close_box_saves_the_list(start_launcher):
    launcher = start_launcher()
    launcher.close_window(TITLE)
    assert launcher.wait_exit(10) == 0
    with open(launcher.servers_path, "rb") as f:
        assert f.read() == b""


def test_failed_save_says_so_and_keeps_the_old_file(start_launcher):
    launcher = start_launcher(servers_cfg=b"keep.example:1\r\n")
    # Neither the program's directory nor the player's data directory takes it.
    os.makedirs(launcher.data_home)
    with read_only_directory(launcher.appdir), read_only_directory(launcher.data_home):
        launcher.menu("File", "Exit")
        box, text = launcher.alert("Tarvex Game Launcher")
        assert launcher.own_servers_path in text
        launcher.dismiss(box)
        assert launcher.wait_exit(10) == 0
    with open(launcher.servers_path, "rb") as f:
        assert f.read() == b"keep.example:1\r\n"
    assert not os.path.exists(launcher.own_servers_path)
    assert sorted(os.listdir(launcher.appdir)) == ["play-tarvex", "servers.cfg"]


def test_read_only_program_directory_keeps_the_list_in_the_players_data(start_launcher):
    # The program's directory is read-only at close: the list goes to the
    # player's data directory and the file beside the program stays as it was.
    first = start_launcher(servers_cfg=b"shipped.example:1\r\n")
    with read_only_directory(first.appdir):
        assert first.combo_items() == ["shipped.example:1"]
        first.menu("File", "Exit")
        # A message box would hold the exit up.
        assert first.wait_exit(10) == 0
    with open(first.servers_path, "rb") as f:
        assert f.read() == b"shipped.example:1\r\n"
    with open(first.own_servers_path, "rb") as f:
        assert f.read() == b"shipped.example:1\r\n"
    assert sorted(os.listdir(first.appdir)) == ["play-tarvex", "servers.cfg"]


def test_secondary_windows_open_once_and_outlive_the_main_window(start_launcher):
    launcher = start_launcher()
    launcher.menu("Help", "Help me!")
    launcher.wait_window("How can I get help?")
    launcher.menu("Help", "Help me!")
    launcher.press_button("Add Server")
    launcher.wait_window("AddServer")
    launcher.press_button("Add Server")
    wait_for(lambda: launcher.windows().count("AddServer") == 1, what="one AddServer window")
    assert launcher.windows().count("How can I get help?") == 1

    launcher.menu("File", "Exit")
    wait_for(lambda: launcher.window(TITLE) is None, what="the main window to close")
    assert launcher.running()
    launcher.close_window("How can I get help?")
    launcher.close_window("AddServer")
    assert launcher.wait_exit(10) == 0


def test_unresolvable_update_host_neither_delays_nor_disturbs_the_start(start_launcher):
    launcher = start_launcher(env={"TARVEX_UPDATE_HOST": "no-such-host.invalid"})
    wait_for(lambda: launcher.windows() == [TITLE], what="the main window alone")
    launcher.press_button("Add Server")
    launcher.wait_window("AddServer")
    assert launcher.no_alert()
    assert launcher.running()
