"""Starts Velkor.exe under Wine in a prefix inside the project (run/wineprefix)
whose drive C: holds the sample Velkor.ini and start files. With a display
Velkor runs there until it is closed; without one it runs on a virtual display,
a screenshot is saved and its path printed."""

import os
import shutil
import subprocess
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
sys.path.insert(0, str(ROOT / "tests" / "e2e"))
import rig  # noqa: E402

TITLE = "Velkor für die Eingabeaufforderung"


def prepare(build):
    run = ROOT / "run"
    prefix = run / "wineprefix"
    if not (prefix / ".e2e-ready").exists():
        shutil.rmtree(prefix, ignore_errors=True)
        template = rig.ensure_template(run)
        template.rename(prefix)
    drive_c = prefix / "drive_c"
    # Fresh sample files on every start, so the sample is always as described.
    for name in ("Config.sys", "Autoexec.bat"):
        shutil.copyfile(ROOT / "sample" / name, drive_c / name)
    folder = drive_c / "Velkor"
    folder.mkdir(exist_ok=True)
    shutil.copyfile(build / "src" / "win32" / "Velkor.exe", folder / "Velkor.exe")
    shutil.copyfile(ROOT / "sample" / "Velkor.ini", folder / "Velkor.ini")
    return run, dict(os.environ, **rig.WINE_ENV, WINEPREFIX=str(prefix))


def main():
    build = ROOT / "build" / "x86_64"
    run, env = prepare(build)
    exe = "C:\\Velkor\\Velkor.exe"
    if os.environ.get("DISPLAY"):
        print(f"Velkor runs in the Wine prefix {run / 'wineprefix'}; close it to end.")
        return subprocess.run(["wine", exe], env=env, cwd=run).returncode

    xvfb, number = rig.start_xvfb()
    display = f":{number}"
    env["DISPLAY"] = display
    try:
        driver = rig.Driver(["wine", str(build / "tests" / "e2e" / "vkdrive.exe"), "Z:\\tmp\\velkor-run-end.txt"],
                            stderr=subprocess.DEVNULL, env=env, cwd=run)
        driver("ping")
        driver("start", f'"{exe}"', "C:\\Velkor")
        rig.poll(lambda: any(TITLE in f for f in driver("list")), "Velkor's window")
        shot = run / "velkor.png"
        subprocess.run(["import", "-display", display, "-window", "root", str(shot)], check=True)
        print(f"No display here: Velkor ran on the virtual display {display}.")
        print(f"Screenshot: {shot}")
    finally:
        subprocess.run(["wineserver", "-k"], env=env, stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-w"], env=env, stderr=subprocess.DEVNULL)
        xvfb.terminate()
        xvfb.wait()
    return 0


if __name__ == "__main__":
    sys.exit(main())
