#!/usr/bin/env python3
"""Runs one end-to-end scenario (as ctest does), or lists them.

  run.py --list
  run.py <scenario> --build <x86_64 build folder> --driver vkdrive.exe --velkor Velkor.exe

Exit status: 0 passed, 1 failed, 77 skipped (the program is not built yet)."""

import argparse
import importlib
import shutil
import sys
import time
import traceback
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))

import rig  # noqa: E402

for script in sorted(HERE.glob("scenarios_*.py")):
    importlib.import_module(script.stem)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("scenario", nargs="?")
    ap.add_argument("--list", action="store_true")
    ap.add_argument("--build")
    ap.add_argument("--driver")
    ap.add_argument("--velkor", default="")
    opts = ap.parse_args()
    for k in ("build", "driver", "velkor"):
        if getattr(opts, k):
            setattr(opts, k, str(Path(getattr(opts, k)).resolve()))
    if opts.list:
        print("\n".join(rig.SCENARIOS))
        return 0
    if opts.scenario not in rig.SCENARIOS:
        print(f"unknown scenario {opts.scenario}; known: {', '.join(rig.SCENARIOS)}")
        return 1
    func = rig.SCENARIOS[opts.scenario]
    missing = [tool for tool in ("wine", "wineserver", "Xvfb", "import") if not shutil.which(tool)]
    if missing:
        print(f"SKIPPED {opts.scenario}: not installed: {', '.join(missing)}")
        return 77
    if not (opts.velkor and Path(opts.velkor).is_file()):
        print(f"SKIPPED {opts.scenario}: Velkor.exe is not built yet")
        return 77
    t0 = time.monotonic()
    session = rig.Session(opts.scenario, opts)
    try:
        with session:
            func(session)
    except rig.Pending as e:
        print(f"SKIPPED {opts.scenario}: {e}")
        return 77
    except rig.Failed as e:
        print(f"FAILED {opts.scenario}: {e}")
        print(f"  (screenshots: {session.screens}/{opts.scenario}-*.png; files: {session.work})")
        return 1
    except Exception:
        print(f"FAILED {opts.scenario}: the rig itself broke")
        traceback.print_exc()
        return 1
    timings = ", ".join(f"{k} {v:.1f} s" for k, v in session.timings.items())
    print(f"PASSED {opts.scenario} in {time.monotonic() - t0:.1f} s ({timings})")
    return 0


if __name__ == "__main__":
    sys.exit(main())
