#!/usr/bin/env python3
"""ctest_results.py ALLOWED PRESET...: counts the results CTest wrote to
build/<preset>/results.xml (--output-junit) and prints them per preset and in
total. Exits 1 if a preset has none (its build or CTest did not finish), holds
no test, or has a test that failed, or one that was skipped or not run without
a line "<test name> <reason>" in ALLOWED."""

import sys
import xml.etree.ElementTree as ET
from pathlib import Path


def main(allowed_file, *presets):
    allowed = dict(line.partition(" ")[::2] for line in Path(allowed_file).read_text().splitlines()
                   if line.strip() and not line.startswith("#"))
    total, good = [0, 0, 0], True
    for preset in presets:
        results = Path("build", preset, "results.xml")
        if not results.is_file():
            print(f"{preset}: no results: its build or CTest did not finish")
            total[1], good = total[1] + 1, False
            continue
        counts = [0, 0, 0]
        for case in ET.parse(results).getroot().iter("testcase"):
            name, status = case.get("name"), case.get("status")
            counts[["run", "fail"].index(status) if status in ("run", "fail") else 2] += 1
            if status == "fail":
                print(f"{preset}: FAILED {name}")
                good = False
            elif status != "run":
                said, skipped = (case.findtext("system-out") or "").strip().splitlines(), case.find("skipped")
                why = said[-1] if said else skipped.get("message") if skipped is not None else status
                if name in allowed:
                    print(f"{preset}: skipped {name} ({why}), allowed: {allowed[name].strip()}")
                else:
                    print(f"{preset}: SKIPPED {name} ({why}): no reason for it in {allowed_file}")
                    good = False
        if not sum(counts):
            print(f"{preset}: no tests ran")
            good = False
        print(f"{preset}: {counts[0]} passed, {counts[1]} failed, {counts[2]} skipped")
        total = [t + c for t, c in zip(total, counts)]
    print(f"total: {total[0]} passed, {total[1]} failed, {total[2]} skipped")
    return 0 if good else 1


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
