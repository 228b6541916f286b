"""Starts the shipped Velkor.exe under Wine in a prefix inside the project
(run/wineprefix), in German, whose drive C: holds the sample Velkor.ini and
start files. With a display Velkor runs there until it is closed; without one
it runs on a virtual display, a screenshot is saved once its window has drawn,
and its path printed."""

import shutil
import subprocess
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
sys.path.insert(0, str(ROOT / "tests" / "e2e"))
import rig  # noqa: E402
from screenshots import settled_shot  # noqa: E402
from velkor import TITLE  # noqa: E402


def prepare(build):
    run = ROOT / "run"
    prefix = run / "wineprefix"
    ready = prefix / ".e2e-ready"
    if not ready.is_file() or ready.read_text() != rig.stamp():
        shutil.rmtree(prefix, ignore_errors=True)
        rig.ensure_template(run).rename(prefix)
    drive_c = prefix / "drive_c"
    # Fresh sample files on every start, so the sample is always as described.
    for name in ("Config.sys", "Autoexec.bat"):
        shutil.copyfile(ROOT / "sample" / name, drive_c / name)
    folder = drive_c / "Velkor"
    folder.mkdir(exist_ok=True)
    shutil.copyfile(build / "src" / "win32" / "Velkor.exe", folder / "Velkor.exe")
    shutil.copyfile(ROOT / "sample" / "Velkor.ini", folder / "Velkor.ini")
    return run, rig.wine_env(run, prefix)


def main():
    build = ROOT / "build" / "i686"
    run, env = prepare(build)
    exe = "C:\\Velkor\\Velkor.exe"
    if env.get("DISPLAY"):
        print(f"Velkor runs in the Wine prefix {run / 'wineprefix'}; close it to end.")
        return subprocess.run(["wine", exe], env=env, cwd=run).returncode

    xvfb, number = rig.start_xvfb()
    env["DISPLAY"] = f":{number}"
    try:
        driver = rig.Driver(["wine", str(build / "tests" / "e2e" / "vkdrive.exe"), "Z:\\tmp\\velkor-run-end.txt"],
                            stderr=subprocess.DEVNULL, env=env, cwd=run)
        driver("ping")
        driver("start", f'"{exe}"', "C:\\Velkor")
        main = rig.poll(lambda: [w for w in rig.listed(driver("list")) if w.text == TITLE], "Velkor's window")[0]
        driver("sync", main.hwnd, rig.MS)
        shot = run / "velkor.png"
        settled_shot(number, (0, 0, *rig.DESKTOP), shot)
        print(f"No display here: Velkor ran on the virtual display :{number}.")
        print(f"Screenshot: {shot}")
    finally:
        subprocess.run(["wineserver", "-k"], env=env, stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-w"], env=env, stderr=subprocess.DEVNULL)
        xvfb.terminate()
        xvfb.wait()
    return 0


if __name__ == "__main__":
    sys.exit(main())
