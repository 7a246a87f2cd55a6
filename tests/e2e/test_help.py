"""The help window, its link and the credits, on the real executable."""
import stat

from tools.harness import find, find_all, wait_for

HELP = "How can I get help?"
SECRET = "You found a secret!"


def open_help(launcher):
    launcher.menu("Help", "Help me!")
    return launcher.wait_window(HELP)


def test_typed_code_opens_the_credits_and_help_opens_once(start_launcher):
    launcher = start_launcher()
    window = open_help(launcher)
    captions = {node.name for node in find_all(window, "label")}
    assert {"Tarvex Game Launcher", "Version 1.1", "www.tarvex.example", "IRC:", "irc.tarvex.example",
            "#TarvexHelp", "Things not working correctly? Go here for help:"} <= captions

    # Choosing the command again opens no second window.
    launcher.menu("Help", "Help me!")
    launcher.focus_window(HELP)
    assert launcher.windows().count(HELP) == 1

    # "Tarvex" adds up to 634 (the shifted T counts as "T" alone): its Enter
    # must clear the sum, or the 742 of "Tarvexl" that follows would not open
    # the credits.
    launcher.type("Tarvex")
    launcher.key("Return")
    launcher.type("Tarvexl")
    launcher.key("Return")
    secret = launcher.wait_window(SECRET)
    assert find(secret, "label", "Special thanks to:") is not None
    assert any(node.name.startswith("Tarvex Game Launcher by ") for node in find_all(secret, "label"))

    # The credits stay when the help window closes.
    launcher.close_window(HELP)
    wait_for(lambda: HELP not in launcher.windows(), what="the help window to close")
    assert launcher.windows().count(SECRET) == 1
    assert launcher.running()


def test_clicking_the_link_opens_the_website_through_the_desktop_opener(start_launcher, tmp_path):
    bin_dir = tmp_path / "bin"
    bin_dir.mkdir()
    record = tmp_path / "opened.txt"
    opener = bin_dir / "xdg-open"
    opener.write_text(f'#!/bin/sh\nprintf "%s\\n" "$@" >> "{record}"\n')
    opener.chmod(opener.stat().st_mode | stat.S_IEXEC)

    launcher = start_launcher(bin_dir=str(bin_dir))
    window = open_help(launcher)
    launcher.focus_window(HELP)
    launcher.click(find(window, "label", "www.tarvex.example"))
    opened = wait_for(lambda: record.exists() and record.read_text(), what="xdg-open to be run")
    assert opened == "https://www.tarvex.example\n"
