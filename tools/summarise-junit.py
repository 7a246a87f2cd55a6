#!/usr/bin/env python3
"""Adds up JUnit XML reports and prints one line: "N passed, N failed[, N skipped]",
after a line for each skipped case with its reason, so that no skip goes unseen.
Exits 1 when anything failed or a report is missing."""
import sys
import xml.etree.ElementTree as ET

passed = failed = skipped = 0
missing = False
for path in sys.argv[1:]:
    try:
        root = ET.parse(path).getroot()
    except (OSError, ET.ParseError):
        print(f"summarise-junit: no report at {path}", file=sys.stderr)
        missing = True
        failed += 1
        continue
    for case in root.iter("testcase"):
        if case.find("failure") is not None or case.find("error") is not None:
            failed += 1
        elif case.find("skipped") is not None or case.get("status") in ("notrun", "disabled"):
            skipped += 1
            reason = case.find("skipped")
            reason = reason.get("message", "") if reason is not None else case.get("status")
            print(f"skipped: {case.get('classname')}.{case.get('name')}: {reason}")
        else:
            passed += 1

line = f"{passed} passed, {failed} failed"
if skipped:
    line += f", {skipped} skipped"
print(line)
sys.exit(1 if failed or missing else 0)
