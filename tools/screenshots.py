#!/usr/bin/python3
"""Takes the README's screenshots of the real build/play-tarvex under an Xvfb
and D-Bus session of its own: the main window with a few servers, the help
window, and the credits opened by typing the code into the help window.

  /usr/bin/python3 -m tools.screenshots      (from the repository's root after a build;
                                               needs ImageMagick's import)

Writes docs/screenshots/main-window.png, help-window.png and secret-window.png.
"""
import os
import subprocess
import sys
import tempfile

from tools import harness

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
EXECUTABLE = os.path.join(os.environ.get("TARVEX_BUILD_DIR", os.path.join(ROOT, "build")), "play-tarvex")

OUT = os.path.join(ROOT, "docs", "screenshots")
SERVERS = b"tarvex.example:27500\r\nctf.tarvex.example:27501\r\n"


def capture(launcher, title, path):
    """Raises the window and grabs it once two grabs in a row agree, so a
    half-painted window is never kept."""
    wid = harness.wait_for(lambda: launcher.window_id(title), what=f"X window {title!r}")
    harness.xdotool("windowraise", str(wid))
    last = [None]

    def stable():
        data = subprocess.run(["import", "-display", launcher.env["DISPLAY"], "-window", str(wid), "png:-"],
                              capture_output=True, check=True).stdout
        same = data == last[0]
        last[0] = data
        return same and data

    image = harness.wait_for(stable, timeout=15, interval=0.3, what=f"a steady picture of {title!r}")
    with open(path, "wb") as f:
        f.write(image)
    print(path)


def main():
    if not os.path.exists(EXECUTABLE):
        sys.exit(f"{EXECUTABLE} is missing: build first")
    os.makedirs(OUT, exist_ok=True)
    desktop = harness.Desktop()
    desktop.start()
    launcher = None
    try:
        with tempfile.TemporaryDirectory(prefix="tarvex-shots-") as work:
            launcher = harness.Launcher(work, EXECUTABLE, servers_cfg=SERVERS)
            launcher.start()
            capture(launcher, "The Tarvex Game Launcher", os.path.join(OUT, "main-window.png"))

            launcher.menu("Help", "Help me!")
            launcher.wait_window("How can I get help?")
            capture(launcher, "How can I get help?", os.path.join(OUT, "help-window.png"))

            launcher.focus_window("How can I get help?")
            launcher.type("Tarvexl")  # 84 + 97 + 114 + 118 + 101 + 120 + 108 = 742
            launcher.key("Return")
            launcher.wait_window("You found a secret!")
            capture(launcher, "You found a secret!", os.path.join(OUT, "secret-window.png"))
            launcher.stop()
            launcher = None
    finally:
        if launcher is not None:
            launcher.stop()
        desktop.stop()
    return 0


if __name__ == "__main__":
    sys.exit(main())
