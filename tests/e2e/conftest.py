import os

import pytest

from tools import harness

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
# The test command says which build to test; the game server's scripts lie beside the checkout.
EXECUTABLE = os.path.join(os.environ.get("TARVEX_BUILD_DIR", os.path.join(ROOT, "build")), "play-tarvex")
QWSERVER = os.environ.get("TARVEX_QWSERVER_DIR", os.path.join(os.path.dirname(ROOT), "shared", "qwserver"))


@pytest.fixture(scope="session")
def desktop():
    if not os.path.exists(EXECUTABLE):
        pytest.exit(f"{EXECUTABLE} is missing: build first", returncode=2)
    session = harness.Desktop()
    session.start()
    yield session
    session.stop()


@pytest.fixture(scope="session")
def qwserver_dir():
    """The game server's start, stop and add-players scripts."""
    return QWSERVER


@pytest.fixture
def window_manager(desktop):
    """openbox on the session's desktop for one test."""
    with harness.window_manager():
        yield


@pytest.fixture
def start_launcher(desktop, tmp_path):
    """start_launcher(servers_cfg=b"...", settings={...}, env={...}, bin_dir=..., wrapper=[...],
    wait_main=True) runs the real executable (under wrapper, if given); every run is
    stopped after the test."""
    runs = []

    def start(wait_main=True, **options):
        launcher = harness.Launcher(str(tmp_path / f"run{len(runs)}"), EXECUTABLE, **options)
        runs.append(launcher)
        return launcher.start(wait_main)

    yield start
    for launcher in runs:
        launcher.stop()
