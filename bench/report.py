#!/usr/bin/env python3
"""Prints one table from the JSON files that bench/run-all.sh collected.
Usage: bench/report.py RESULTS_DIR"""
import glob
import json
import os
import statistics
import sys

UNIT_TO_US = {"ns": 1e-3, "us": 1.0, "ms": 1e3, "s": 1e6}


def load(path):
    if not os.path.exists(path):
        return None
    with open(path) as f:
        return json.load(f)


def ratio(ours, theirs):
    return f"{ours / theirs:.2f}" if theirs else "-"


def verdict(ok):
    return "yes" if ok else "NO"


def startup_rows(data):
    by_name = {row["variant"]: row for row in data}
    bare = by_name["bare Qt window"]
    ours = by_name["launcher"]
    rows = []
    for name, label in (("launcher", "update host swallows packets"),
                        ("launcher, update host does not resolve", "update host does not resolve")):
        row = by_name[name]
        rows.append((f"Start-up time, ms ({label})", f"{row['ms']:.1f}", f"bare {bare['ms']:.1f}",
                     ratio(row["ms"], bare["ms"]), "<= 1.2x bare", verdict(row["time_ratio"] <= 1.2)))
        rows.append((f"Start-up RSS, MiB ({label})", f"{row['rss_kib'] / 1024:.1f}",
                     f"bare {bare['rss_kib'] / 1024:.1f}", ratio(row["rss_kib"], bare["rss_kib"]),
                     "<= 1.2x bare", verdict(row["rss_ratio"] <= 1.2)))
    unresolved = by_name["launcher, update host does not resolve"]
    rows.append(("Start-up time, unresolvable host vs swallowing host", f"{unresolved['ms']:.1f}",
                 f"launcher {ours['ms']:.1f}", ratio(unresolved["ms"], ours["ms"]), "same time",
                 verdict(unresolved["ms"] <= ours["ms"] * 1.1)))
    return rows


def network_rows(data):
    rows = []
    for delay, entry in data["ping"].items():
        ours, theirs = entry["launcher"], entry["qstat"]
        goal = data["goal"]
        rows.append((f"Ping at {delay} ms delay, ms (median reading; median, max |error|)",
                     f"{ours['median']:g} ({entry['launcher_median_error']:g}, {entry['launcher_max_error']:g})",
                     f"qstat {theirs['median']:g} ({entry['qstat_median_error']:g}, {entry['qstat_max_error']:g})",
                     ratio(ours["median"], theirs["median"]),
                     f"error <= {goal['median_error_ms']:g}, max {goal['max_error_ms']:g}",
                     verdict(entry["launcher_median_error"] <= goal["median_error_ms"]
                             and entry["launcher_max_error"] <= goal["max_error_ms"])))
    t = data["timeout_ms"]
    rows.append(("Time-out, query received -> list shows it, ms (median; min-max)",
                 f"{t['median']:.1f} ({t['min']:.1f}-{t['max']:.1f})", "-", "-", "1000-1100 every run",
                 verdict(1000 <= t["min"] and t["max"] <= 1100)))
    o = data["observation_latency_ms"]
    rows.append(("  observation latency: reply sent -> list repaint seen, ms (median; max)",
                 f"{o['median']:.2f} ({o['max']:.2f})", "-", "-", "(info)", "-"))
    return rows


def parse_rows(data):
    medians = {b["run_name"]: b for b in data["benchmarks"] if b.get("aggregate_name") == "median"}
    rows = []
    for name, label, limit in (("DostuffRealisticReply", "realistic reply", None),
                               ("DostuffLargestDatagram", "65,507-byte reply of short fields", 1000.0)):
        b = medians[name]
        us = b["real_time"] * UNIT_TO_US[b["time_unit"]]
        rows.append((f"Parsing, {label}, us (median of {b['repetitions']})", f"{us:.2f}", "-", "-",
                     "< 1000 us" if limit else "(info)", verdict(us < limit) if limit else "-"))
    return rows


def flood_rows(runs):
    ok = [r for r in runs if r["ok"]]
    n = len(runs)

    def med(key):
        return statistics.median(r[key] for r in runs)

    def worst(key):
        return max(r[key] for r in runs)

    growth_mib = [r["rss_growth_kib"] / 1024 for r in runs]
    return [
        (f"Flood: datagrams sent / handled (median of {n} runs)",
         f"{med('datagrams_sent'):.0f} / {med('datagrams_delivered'):.0f}", "-", "-", "(info)", "-"),
        ("Flood: longest gap between ticks, ms (median; worst)",
         f"{med('longest_tick_gap_ms'):.1f} ({worst('longest_tick_gap_ms'):.1f})", "-", "-",
         "keeps ticking", verdict(all(r["ticks_during"] > 0 for r in runs))),
        ("Flood: RSS growth, MiB (median; worst)",
         f"{statistics.median(growth_mib):.1f} ({max(growth_mib):.1f})", "-", "-", "< 10 MB",
         verdict(max(r["rss_growth_kib"] for r in runs) * 1024 < 10_000_000)),
        ("Flood: most notice boxes open at once (worst)", f"{worst('max_boxes_open')}", "-", "-", "<= 1",
         verdict(worst("max_boxes_open") <= 1)),
        ("Flood: status query right after gets its six lines", f"{len(ok)} of {n} runs", "-", "-", "every run",
         verdict(len(ok) == n and all(len(r["query_after_lines"]) == r["status_line_count"] for r in ok))),
    ]


def notice_rows(data):
    return [(f"Notice box, {n['kind']}: call -> OK painted, ms (median; max of {data['runs']})",
             f"{n['median_ms']:.1f} ({n['max_ms']:.1f})", "-", "-", "< 100 ms, fits the screen",
             verdict(n["max_ms"] < 100 and n["fits_screen"])) for n in data["notices"]]


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    results = sys.argv[1]
    rows = []
    missing = []
    sections = (("startup.json", startup_rows), ("network.json", network_rows), ("parse.json", parse_rows),
                ("notice.json", notice_rows))
    for name, make in sections:
        data = load(os.path.join(results, name))
        if data is None:
            missing.append(name)
        else:
            rows += make(data)
    floods = [load(path) for path in sorted(glob.glob(os.path.join(results, "flood*.json")))]
    if floods:
        rows += flood_rows(floods)
    else:
        missing.append("flood*.json")

    header = ("Figure", "Ours", "Yardstick", "Ratio", "Goal", "Met")
    widths = [max(len(str(row[i])) for row in rows + [header]) for i in range(len(header))]
    line = "| " + " | ".join(h.ljust(w) for h, w in zip(header, widths)) + " |"
    print(line)
    print("|" + "|".join("-" * (w + 2) for w in widths) + "|")
    for row in rows:
        print("| " + " | ".join(str(v).ljust(w) for v, w in zip(row, widths)) + " |")
    if missing:
        print(f"Missing results: {', '.join(missing)}", file=sys.stderr)
        sys.exit(1)


if __name__ == "__main__":
    main()
