"""A screen reader reaches windows that a modal box blocks for the mouse: a
dialog closed and opened again behind a box its own command showed stays
the player's new dialog when that command ends."""
from tools.harness import find, find_all, press, text_of, wait_for


def test_add_server_opened_again_behind_its_message_stays_open(start_launcher):
    launcher = start_launcher(servers_cfg=b"a.example:1\r\n")
    launcher.press_button("Add Server")
    old = launcher.wait_window("AddServer")
    find(old, "text", "Port").queryEditableText().setTextContents("x")
    press(find(old, "push button", "Ok"))
    box, text = launcher.alert("Tarvex Game Launcher")
    assert "not a whole number" in text

    press(find(old, "push button", "Cancel"))
    wait_for(lambda: launcher.window("AddServer") is None, what="the old dialog to close")
    launcher.press_button("Add Server")
    new = launcher.wait_window("AddServer")
    find(new, "text", "IP").queryEditableText().setTextContents("typed.example")

    # The Ok behind the box ends now; the dialog it closes was already gone.
    launcher.dismiss(box)
    wait_for(launcher.no_alert, what="the box to close")
    assert launcher.window("AddServer") is not None
    assert text_of(find(new, "text", "IP")) == "typed.example"
    assert launcher.combo_items() == ["a.example:1", "play.tarvex.net:x"]


def test_edit_paths_opened_again_behind_its_file_dialog_keeps_its_boxes(start_launcher, tmp_path):
    launcher = start_launcher(settings={"Regular Quake Path": "/games/regular"})
    launcher.menu("File", "Advanced", "Edit Paths")
    old = launcher.wait_window("Edit Paths")
    press(find_all(old, "push button", "Browse...")[0])
    dialog = launcher.wait_window("Save As", role="dialog")

    press(find(old, "push button", "Cancel"))
    wait_for(lambda: launcher.window("Edit Paths") is None, what="the old window to close")
    launcher.menu("File", "Advanced", "Edit Paths")
    new = launcher.wait_window("Edit Paths")

    # The file confirmed in the old window's dialog is not the new window's.
    find(dialog, "text", "File name:").queryEditableText().setTextContents(str(tmp_path / "chosen"))
    press(find(dialog, "push button", "Save"))
    wait_for(lambda: launcher.window("Save As") is None, what="the file dialog to close")
    assert text_of(find(new, "text", "Regular client path")) == "/games/regular"
