"""Joining a server: the client configured through Edit Paths, then started
by Join Server with the player's parameters, "+connect" and the address."""
import json
import os
import stat

import pytest

from tools.harness import find, find_all, press, read_settings, text_of, wait_for, xdotool

TITLE = "The Tarvex Game Launcher"
BOX_TITLE = "Tarvex Game Launcher"

# A real window manager: minimised is iconified and unmapped, restored is
# mapped again and holds the keyboard focus.
pytestmark = pytest.mark.usefixtures("window_manager")

RECORDING_CLIENT = """#!/usr/bin/python3
import json, os, sys
record = {record!r}
with open(record + ".part", "w") as f:
    json.dump(sys.argv, f)
os.replace(record + ".part", record)
"""


def make_client(folder, name, record, executable=True):
    os.makedirs(folder, exist_ok=True)
    path = os.path.join(folder, name)
    with open(path, "w") as f:
        f.write(RECORDING_CLIENT.format(record=record))
    mode = stat.S_IRUSR | stat.S_IWUSR
    if executable:
        mode |= stat.S_IXUSR
    os.chmod(path, mode)
    return path


def read_record(record):
    with open(record) as f:
        return json.load(f)


def edit_box(launcher, window, accessible_name, text):
    box = wait_for(lambda: find(window, "text", accessible_name), what=f"box {accessible_name!r}")
    launcher.focus_control(box, "Edit Paths")
    launcher.key("ctrl+a", "BackSpace")
    # "--" so that parameters such as "-nosound" are typed, not read as options.
    xdotool("type", "--delay", "20", "--", text)
    wait_for(lambda: text_of(box) == text, what=f"{accessible_name!r} to read {text!r}")
    return box


def save_dialog(launcher):
    return launcher.wait_window("Save As", role="dialog")


def test_client_chosen_in_edit_paths_is_started_with_its_parameters_and_the_address(start_launcher, tmp_path):
    record = str(tmp_path / "argv.json")
    client = make_client(str(tmp_path / "Quake Games"), "qf client", record)
    launcher = start_launcher()
    default_gl = os.path.join(launcher.appdir, "qf-client-wgl.exe")

    launcher.menu("File", "Advanced", "Edit Paths")
    window = launcher.wait_window("Edit Paths")
    regular_path = find(window, "text", "Regular client path")
    gl_path = find(window, "text", "GL client path")
    assert text_of(regular_path) == os.path.join(launcher.appdir, "qf-client-win.exe")
    assert text_of(gl_path) == default_gl

    # The regular Browse: the system's save dialog, where a Linux client
    # without ".exe" can still be shown, and the player types its path.
    regular_browse, gl_browse = find_all(window, "push button", "Browse...")
    press(regular_browse)
    dialog = save_dialog(launcher)
    types = find(dialog, "combo box", "Executable Files (*.exe)")
    assert [item.name for item in find(types, "list", showing_only=False)] == \
        ["Executable Files (*.exe)", "All Files (*)"]
    name_box = find(dialog, "text", "File name:")
    launcher.focus_control(name_box, "Save As")
    launcher.type(client)
    launcher.key("Return")
    wait_for(lambda: text_of(regular_path) == client, what="the chosen client in the path box")

    # A cancelled Browse leaves its box as it was.
    press(gl_browse)
    dialog = save_dialog(launcher)
    launcher.press_button("Cancel", dialog)
    wait_for(lambda: launcher.window("Save As") is None, what="the save dialog to close")
    assert text_of(gl_path) == default_gl
    assert text_of(regular_path) == client

    edit_box(launcher, window, "Regular client parameters", "-nosound +name \"Big Joe\" +set team O'Brien")
    launcher.press_button("Done", window)
    wait_for(lambda: launcher.window("Edit Paths") is None, what="Edit Paths to close")
    settings = read_settings(launcher.config_home)
    assert settings["Regular Quake Path"] == client
    assert settings["GL Quake Path"] == default_gl
    # Reopened, the window shows what Done stored; Cancel stores nothing.
    launcher.menu("File", "Advanced", "Edit Paths")
    window = launcher.wait_window("Edit Paths")
    assert [text_of(box) for box in find_all(window, "text")] == \
        [client, default_gl, "-nosound +name \"Big Joe\" +set team O'Brien", ""]
    launcher.press_button("Cancel", window)
    wait_for(lambda: launcher.window("Edit Paths") is None, what="Edit Paths to close")

    launcher.type_in_server_box("127.0.0.1:27500")
    wait_for(lambda: launcher.combo_text() == "127.0.0.1:27500", what="the typed address")
    assert not launcher.minimised()
    launcher.press_button("Join Server")

    argv = wait_for(lambda: os.path.exists(record) and read_record(record), what="the client's record")
    assert argv == [client, "-nosound", "+name", "Big Joe", "+set", "team", "O'Brien", "+connect", "127.0.0.1:27500"]
    wait_for(lambda: launcher.minimised(), what="the main window to minimise")
    assert launcher.no_alert()
    assert launcher.running()


def test_join_reports_each_problem_and_leaves_the_window_up(start_launcher, tmp_path):
    record = str(tmp_path / "argv.json")
    not_runnable = make_client(str(tmp_path), "gl client", record, executable=False)
    missing = str(tmp_path / "nowhere" / "qf-client-win.exe")
    launcher = start_launcher(settings={"Regular Quake Path": missing, "GL Quake Path": not_runnable})

    launcher.type_in_server_box("myhost:27500")
    launcher.press_button("Join Server")
    box, text = launcher.alert(BOX_TITLE)
    assert text == "Invalid Server Address"
    launcher.dismiss(box)
    wait_for(launcher.no_alert, what="the box to close")

    launcher.type_in_server_box("127.0.0.1:27500")
    launcher.press_button("Join Server")
    box, text = launcher.alert(BOX_TITLE)
    assert text == "Quakeforge not found, please check your paths"
    assert not launcher.minimised()
    launcher.dismiss(box)
    wait_for(launcher.no_alert, what="the box to close")

    launcher.click(find(launcher.main, "radio button", "GL Enhanced Tarvex"))
    wait_for(lambda: launcher.option_selected("GL Enhanced Tarvex"), what="the GL client to be chosen")
    launcher.press_button("Join Server")
    box, text = launcher.alert(BOX_TITLE)
    assert not_runnable in text
    assert "not executable" in text
    launcher.dismiss(box)
    wait_for(launcher.no_alert, what="the box to close")
    wait_for(launcher.restored, what="the main window to be restored")
    assert not os.path.exists(record)
    assert launcher.running()
