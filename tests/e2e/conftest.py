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
    """start_launcher(servers_cfg=b"...", settings={...}, env={...}, bin_dir=...) runs
    the real executable; every run is stopped after the test."""
    runs = []

    def start(**options):
        launcher = harness.Launcher(str(tmp_path / f"run{len(runs)}"), **options)
        runs.append(launcher)
        return launcher.start()

    yield start
    for launcher in runs:
        launcher.stop()
