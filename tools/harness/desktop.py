"""An Xvfb display and a D-Bus session of their own: the one way the tests,
the benchmarks and the tools start a desktop. As a program it runs a command
on such a desktop:

  python3 -m tools.harness.desktop COMMAND [ARGUMENT...]
"""
import contextlib
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time


def wait_for(predicate, timeout=10.0, interval=0.05, what="condition"):
    """Polls predicate until it returns something truthy; returns that."""
    deadline = time.monotonic() + timeout
    last_error = None
    while True:
        try:
            value = predicate()
            if value:
                return value
        except Exception as error:  # the tree may change under our feet
            last_error = error
        if time.monotonic() >= deadline:
            detail = f" (last error: {last_error!r})" if last_error else ""
            raise TimeoutError(f"timed out after {timeout} s waiting for {what}{detail}")
        time.sleep(interval)


class Desktop:
    """An Xvfb display and a D-Bus session of our own; the accessibility bus
    starts on demand inside that session."""

    def __init__(self):
        self.xvfb = None
        self.dbus_pid = None
        self.runtime_dir = None
        self.env = {}

    def start(self):
        # Several Xvfbs starting at once on one machine can race for a display
        # number; try again until the server really answers.
        for _ in range(5):
            display = self._start_xvfb()
            if display and subprocess.run(["xdpyinfo", "-display", f":{display}"], capture_output=True,
                                          check=False).returncode == 0:
                break
            self.xvfb.kill()
            self.xvfb.wait()
            time.sleep(0.5)
        else:
            raise RuntimeError("Xvfb did not start")
        self.runtime_dir = tempfile.mkdtemp(prefix="tarvex-runtime-")
        os.chmod(self.runtime_dir, 0o700)
        self.env = {"DISPLAY": f":{display}", "XDG_RUNTIME_DIR": self.runtime_dir}
        os.environ.update(self.env)
        out = subprocess.run(["dbus-launch", "--sh-syntax"], capture_output=True, text=True,
                             check=True).stdout
        for line in out.splitlines():
            if line.startswith("DBUS_SESSION_BUS_ADDRESS="):
                value = line.split("=", 1)[1].rstrip(";").strip("'")
                self.env["DBUS_SESSION_BUS_ADDRESS"] = value
            elif line.startswith("DBUS_SESSION_BUS_PID="):
                self.dbus_pid = int(line.split("=", 1)[1].rstrip(";"))
        os.environ.update(self.env)

    def _start_xvfb(self):
        read_fd, write_fd = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1280x1024x24",
             "-dpi", "96", "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        with os.fdopen(read_fd) as pipe:
            return pipe.readline().strip()

    def stop(self):
        # The accessibility bus launcher and registry belong to our session.
        if self.runtime_dir:
            subprocess.run(["pkill", "-f", f"at-spi.*{self.env.get('DBUS_SESSION_BUS_ADDRESS', '#')}"],
                           check=False)
        if self.dbus_pid:
            try:
                os.kill(self.dbus_pid, signal.SIGTERM)
            except ProcessLookupError:
                pass
        if self.xvfb:
            self.xvfb.terminate()
            try:
                self.xvfb.wait(5)
            except subprocess.TimeoutExpired:
                self.xvfb.kill()
        if self.runtime_dir:
            shutil.rmtree(self.runtime_dir, ignore_errors=True)


def window_manager_running():
    """True while a window manager runs: the root's check window exists and
    names itself (a manager that has gone may leave the root's property)."""
    out = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], capture_output=True, text=True).stdout
    wid = out.rsplit("window id # ", 1)[-1].strip() if "window id # " in out else None
    return wid is not None and f"# {wid}" in subprocess.run(
        ["xprop", "-id", wid, "_NET_SUPPORTING_WM_CHECK"], capture_output=True, text=True).stdout


@contextlib.contextmanager
def window_manager():
    """openbox on the desktop for as long as the block runs: minimising then
    unmaps a window, and restoring maps, raises and focuses it, as on a
    player's desktop. Without one, "minimised" is only the window's hint."""
    openbox = subprocess.Popen(["openbox", "--sm-disable"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        wait_for(window_manager_running, what="openbox to manage the desktop")
        yield
    finally:
        openbox.terminate()
        try:
            openbox.wait(5)
        except subprocess.TimeoutExpired:
            openbox.kill()
            openbox.wait()
        subprocess.run(["xprop", "-root", "-remove", "_NET_SUPPORTING_WM_CHECK"], capture_output=True, check=False)


def main(argv):
    if not argv:
        sys.exit("usage: python3 -m tools.harness.desktop COMMAND [ARGUMENT...]")
    desktop = Desktop()
    desktop.start()
    try:
        return subprocess.run(argv, check=False).returncode
    finally:
        desktop.stop()


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
