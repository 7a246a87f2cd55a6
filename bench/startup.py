#!/usr/bin/env python3
"""Start-up time (exec to the main window mapped) and resident memory at that
moment, for the launcher and for a bare Qt window with the same controls.

Runs each variant N times, alternating, under an Xvfb of its own (no window
manager, no accessibility bus) and prints medians and ratios.
Usage, from the repository's root: python3 -m bench.startup [--runs N] [--build DIR] [--json FILE]
"""
import argparse
import json
import os
import shutil
import socket
import statistics
import subprocess
import tempfile
import time

from Xlib import X, display as xdisplay

from tools import harness

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def rss_kib(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def time_to_map(executable, env, cwd, timeout=20.0):
    """Seconds from exec until the program's first top-level window is mapped,
    and its resident memory then."""
    d = xdisplay.Display(env["DISPLAY"])
    root = d.screen().root
    root.change_attributes(event_mask=X.SubstructureNotifyMask)
    d.sync()
    start = time.perf_counter()
    process = subprocess.Popen([executable], env=env, cwd=cwd, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    try:
        deadline = start + timeout
        while True:
            if time.perf_counter() > deadline:
                raise TimeoutError(f"{executable} mapped no window")
            if d.pending_events() == 0:
                time.sleep(0.0005)
                continue
            event = d.next_event()
            if event.type == X.MapNotify and not event.override:
                elapsed = time.perf_counter() - start
                return elapsed, rss_kib(process.pid)
    finally:
        process.kill()
        process.wait()
        d.close()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--runs", type=int, default=15)
    parser.add_argument("--build", default=os.environ.get("TARVEX_BUILD_DIR", os.path.join(ROOT, "build")))
    parser.add_argument("--json")
    args = parser.parse_args()
    args.build = os.path.abspath(args.build)

    desktop = harness.Desktop()
    desktop.start()
    work = tempfile.mkdtemp(prefix="tarvex-startup-")
    # A UDP socket that never reads: the update query is swallowed.
    sink = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    sink.bind(("127.0.0.1", 0))
    try:
        launcher = os.path.join(work, "play-tarvex")
        shutil.copy2(os.path.join(args.build, "play-tarvex"), launcher)
        bare = os.path.join(args.build, "bare-window")
        base_env = dict(os.environ, XDG_CONFIG_HOME=os.path.join(work, "config"))
        base_env.pop("QT_ACCESSIBILITY", None)
        with open(os.path.join(work, "servers.cfg"), "wb") as f:
            f.write(b"".join(b"server%d.tarvex.net:27500\r\n" % i for i in range(50)))
        variants = {
            "bare Qt window": (bare, base_env),
            "launcher": (launcher, dict(base_env, TARVEX_UPDATE_HOST=f"127.0.0.1:{sink.getsockname()[1]}")),
            "launcher, update host does not resolve": (launcher, dict(base_env, TARVEX_UPDATE_HOST="no-such-host.invalid")),
        }
        results = {name: [] for name in variants}
        for name, (exe, env) in variants.items():  # warm the page cache
            time_to_map(exe, env, work)
        for _ in range(args.runs):
            for name, (exe, env) in variants.items():
                results[name].append(time_to_map(exe, env, work))
    finally:
        sink.close()
        shutil.rmtree(work, ignore_errors=True)
        desktop.stop()

    bare_ms = statistics.median(t for t, _ in results["bare Qt window"]) * 1000
    bare_kib = statistics.median(m for _, m in results["bare Qt window"])
    table = []
    print(f"Start-up, exec to window mapped; medians of {args.runs} runs")
    print(f"{'variant':42} {'time ms':>8} {'x bare':>7} {'RSS MiB':>8} {'x bare':>7}")
    for name, samples in results.items():
        ms = statistics.median(t for t, _ in samples) * 1000
        kib = statistics.median(m for _, m in samples)
        table.append({"variant": name, "ms": ms, "rss_kib": kib,
                      "time_ratio": ms / bare_ms, "rss_ratio": kib / bare_kib})
        print(f"{name:42} {ms:8.1f} {ms / bare_ms:7.2f} {kib / 1024:8.1f} {kib / bare_kib:7.2f}")
    if args.json:
        with open(args.json, "w") as f:
            json.dump(table, f, indent=2)


if __name__ == "__main__":
    main()
