"""Runs bench/benchrun.exe of the shipped build under Wine on a virtual display,
in a copy of the end-to-end rig's prefix (build/i686/e2e-work), and prints the
medians, their ratios and the size of Velkor.exe. Velkor starts with the sample
Velkor.ini, three of whose slots list configuration files."""

import re
import shutil
import subprocess
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
BUILD = ROOT / "build" / "i686"
sys.path.insert(0, str(ROOT / "tests" / "e2e"))
import rig  # noqa: E402


def prepare():
    work = BUILD / "e2e-work"
    prefix = work / "bench"
    shutil.rmtree(prefix, ignore_errors=True)
    subprocess.run(["cp", "-a", rig.ensure_template(work), prefix], check=True)
    env = rig.wine_env(work, prefix)
    bench = prefix / "drive_c" / "Bench"
    programs = {"Velkor": BUILD / "src/win32/Velkor.exe", "Floor": BUILD / "bench/ui_floor.exe",
                "Bare": BUILD / "bench/bare_window.exe"}
    for folder, exe in programs.items():  # built stripped, as a user gets them
        (bench / folder).mkdir(parents=True)
        shutil.copy(exe, bench / folder)
    ini = (ROOT / "sample" / "Velkor.ini").read_bytes()
    for n, name in enumerate(("Spiele", "Netzwerk", "Alles"), 1):
        (bench / "Velkor" / f"{name}.vkf").write_bytes(b"0%d,0%d\r\n" % (n, n + 2))
        ini = ini.replace(b"Konfig%d=\r\n" % n, b"Konfig%d=C:\\Bench\\Velkor\\%s.vkf\r\n" % (n, name.encode()))
    (bench / "Velkor" / "Velkor.ini").write_bytes(ini)
    return env, [f"C:\\Bench\\{folder}\\{exe.name}" for folder, exe in programs.items()]


def main():
    rounds = sys.argv[1] if len(sys.argv) > 1 else "15"
    env, exes = prepare()
    xvfb, display = rig.start_xvfb()
    try:
        env["DISPLAY"] = f":{display}"
        out = subprocess.run(["wine", str(BUILD / "bench/benchrun.exe"), rounds, *exes], env=env,
                             capture_output=True, text=True, timeout=1800).stdout
    finally:
        subprocess.run(["wineserver", "-k"], env=env, stderr=subprocess.DEVNULL)
        xvfb.terminate()
    print(out, end="")
    median = {m[1]: float(m[2]) for m in re.finditer(r"^median (\S+)\s+([\d.]+) ms", out, re.M)}
    if not all(median.get(e, -1) > 0 for e in exes):
        sys.exit("benchrun measured no start-up of every program")
    velkor, floor, bare = (median[e] for e in exes)
    print(f"Velkor/floor {velkor / floor:.2f}   Velkor/bare {velkor / bare:.2f}")
    print(f"Velkor.exe: {(BUILD / 'src/win32/Velkor.exe').stat().st_size} bytes")


if __name__ == "__main__":
    main()
