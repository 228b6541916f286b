"""Takes the README's pictures. Velkor runs under Wine in an end-to-end session
with the sample Velkor.ini; a few rows are ticked and shot, then "Neu starten"
writes the start files. Their banner is shown in DOSBox and shot too."""

import os
import subprocess
import sys
import tempfile
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
BUILD = ROOT / "build" / "x86_64"
sys.path.insert(0, str(ROOT / "tests" / "e2e"))
import rig  # noqa: E402
from velkor import EXE, ID, INI, NEU_STARTEN, TITLE, may_reboot, tick  # noqa: E402

DOCS = ROOT / "docs"


def crop(display, rect, target):
    # Painting comes after everything else: shot again until two shots agree,
    # and something is on them, for five seconds at most.
    left, top, right, bottom = rect
    shots = []
    for _ in range(25):
        shots.append(subprocess.run(["import", "-display", f":{display}", "-window", "root", "-crop",
                                     f"{right - left}x{bottom - top}+{left}+{top}", "+repage", "png:-"],
                                    check=True, capture_output=True).stdout)
        if len(shots) > 1 and shots[-1] == shots[-2] and len(shots[-1]) > 1000:
            break
        time.sleep(0.2)
    Path(target).write_bytes(shots[-1])


def velkor_and_autoexec():
    with rig.Session("screenshots", BUILD, BUILD / "tests/e2e/vkdrive.exe", BUILD / "src/win32/Velkor.exe") as t:
        t.put({INI: (ROOT / "sample/Velkor.ini").read_bytes(),
               **{f"C:\\{n}": (ROOT / "sample" / n).read_bytes() for n in ("Config.sys", "Autoexec.bat")}})
        main = t.start(EXE, TITLE)
        tick(main, (0, 2, 3, 5, 7))
        main.sync()
        crop(t.display, main.get().rect, DOCS / "velkor.png")
        main.click(NEU_STARTEN)
        t.box("Löschen", [rig.IDYES, rig.IDNO]).press(rig.IDYES, main)
        may_reboot(lambda: t.box("Neu starten", [rig.IDOK]).press(rig.IDOK, main))
        t.expect_reboot()
        return t.path("C:\\Autoexec.bat").read_bytes()


def banner(autoexec):
    # The banner lines alone: COMMAND.COM and WIN.COM are not there in DOSBox.
    lines = autoexec.split(b"\r\n")
    start, end = lines.index(b"ECHO."), next(i for i, x in enumerate(lines) if x.startswith(b"ECHO \xc8"))
    with tempfile.TemporaryDirectory() as dos:
        # The batch leaves a file behind once the banner is on the screen.
        Path(dos, "BANNER.BAT").write_bytes(b"\r\n".join([b"@ECHO OFF", b"CLS", *lines[start:end + 1],
                                                          b"ECHO.>SHOWN.TXT"]) + b"\r\n")
        xvfb, display = rig.start_xvfb()
        env = dict(os.environ, DISPLAY=f":{display}", SDL_AUDIODRIVER="dummy")
        box = subprocess.Popen(["dosbox", "-c", f"mount c {dos}", "-c", "c:", "-c", "banner.bat"], env=env,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            rig.poll(lambda: Path(dos, "SHOWN.TXT").exists(), "DOSBox to show the banner", 30)
            crop(display, (0, 0, 640, 400), DOCS / "banner.png")
        finally:
            box.kill()
            xvfb.terminate()


def main():
    DOCS.mkdir(exist_ok=True)
    banner(velkor_and_autoexec())
    print(f"{DOCS / 'velkor.png'}\n{DOCS / 'banner.png'}")


if __name__ == "__main__":
    main()
