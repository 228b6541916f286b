#!/usr/bin/env python3
# Runs one end-to-end scenario as ctest does, or lists them:
#   run.py --list
#   run.py <scenario> <x86_64 build folder> <vkdrive.exe> <Velkor.exe>
# Exit status: 0 passed, 1 failed, 77 skipped (Wine missing or Velkor.exe not built).
import shutil, sys, time, traceback  # noqa: E401
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import rig  # noqa: E402
import scenarios  # noqa: E402,F401  (registers the scenarios)


def main(name, build, driver, velkor):
    missing = [t for t in ("wine", "wineserver", "Xvfb", "import") if not shutil.which(t)]
    if missing or not Path(velkor).is_file():
        return print(f"SKIPPED {name}: missing {', '.join(missing) or velkor or 'Velkor.exe'}") or 77
    t0, build = time.monotonic(), Path(build).resolve()
    (build / "e2e-screens").mkdir(parents=True, exist_ok=True)
    session = rig.Session(name, build, Path(driver).resolve(), Path(velkor).resolve())
    try:
        with session:
            rig.SCENARIOS[name](session)
    except rig.Failed as e:
        return print(f"FAILED {name}: {e}\n  (screenshots: {build / 'e2e-screens'}; files: {session.work})") or 1
    except Exception:
        return traceback.print_exc() or print(f"FAILED {name}: the rig itself broke") or 1
    print(f"PASSED {name} in {time.monotonic() - t0:.1f} s")


if __name__ == "__main__":
    sys.exit(print("\n".join(rig.SCENARIOS)) if sys.argv[1:] == ["--list"] else main(*sys.argv[1:]))
