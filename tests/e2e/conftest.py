import os
import shutil
import tempfile

import pytest

import harness


@pytest.fixture(scope="session")
def desktop():
    if not os.path.exists(harness.EXECUTABLE):
        pytest.exit(f"{harness.EXECUTABLE} is missing: build first", returncode=2)
    session = harness.Desktop()
    session.start()
    yield session
    session.stop()


@pytest.fixture
def start_launcher(desktop, tmp_path):
    """start_launcher(servers_cfg=b"...", settings={...}, env={...}, bin_dir=..., wrapper=[...],
    wait_main=True) runs the real executable (under wrapper, if given); every run is
    stopped after the test."""
    runs = []

    def start(wait_main=True, **options):
        launcher = harness.Launcher(str(tmp_path / f"run{len(runs)}"), **options)
        runs.append(launcher)
        return launcher.start(wait_main)

    yield start
    for launcher in runs:
        launcher.stop()
