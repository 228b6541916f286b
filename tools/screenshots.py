"""Takes the README's pictures. Velkor runs under Wine, in German, in an
end-to-end session with the sample Velkor.ini and three configurations listed:
the main window with a few options ticked, the arrange dialog, the icon's menu and
the question at leaving are shot; then "Neu starten" writes the start files.
Their banner is shown in DOSBox and shot too."""

import os
import subprocess
import sys
import tempfile
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
BUILD = ROOT / "build" / "i686"
sys.path.insert(0, str(ROOT / "tests" / "e2e"))
import rig  # noqa: E402
from rig import IDCANCEL, IDNO, IDOK, IDYES, WM_COMMAND  # noqa: E402
from velkor import EXE, ID, INI, QUIT, RESTART, TITLE, tick  # noqa: E402

DOCS = ROOT / "docs"


def settled_shot(display, rect, target):
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


def sample_with_configurations(t):
    ini = (ROOT / "sample" / "Velkor.ini").read_bytes()
    for n, (name, ticks) in enumerate((("Spiele", b"01,03"), ("Netzwerk", b"00,05,07"), ("CD-ROM", b"00,02"))):
        t.put({f"C:\\Velkor\\{name}.vkf": ticks + b"\r\n"})
        ini = ini.replace(b"Konfig%d=\r\n" % (n + 1), b"Konfig%d=C:\\Velkor\\%s.vkf\r\n" % (n + 1, name.encode()))
    t.put({INI: ini, **{f"C:\\{n}": (ROOT / "sample" / n).read_bytes() for n in ("Config.sys", "Autoexec.bat")}})


def icon_menu(t):
    # The task bar may show a new icon a moment late: right-clicked again, a few times at most.
    for _ in range(5):
        t.right_click_icon()
        try:
            return rig.poll(lambda: [w for w in rig.listed(t.drive("list")) if w.cls == "#32768"], "the menu", 2)[0]
        except rig.Failed:
            pass
    raise rig.Failed("no menu after five right-clicks on the icon")


def velkor_and_autoexec():
    with rig.Session("screenshots", BUILD, BUILD / "tests/e2e/vkdrive.exe", BUILD / "src/win32/Velkor.exe") as t:
        sample_with_configurations(t)
        main = t.start(EXE, TITLE)
        tick(main, (0, 2, 3, 5, 7))
        main.sync()
        settled_shot(t.display, main.get().rect, DOCS / "velkor.png")

        main.act(WM_COMMAND, ID["IDM_ARRANGE"])
        arrange = t.window("Konfigurationen anordnen")
        settled_shot(t.display, arrange.get().rect, DOCS / "anordnen.png")
        arrange.press(ID["IDC_ARRANGE_DIALOG_ACCEPT"], main)

        main.click(ID["IDC_MAIN_TO_TRAY"])
        menu = rig.Window(t, icon_menu(t).hwnd).get().rect
        settled_shot(t.display, (menu[0] - 8, menu[1] - 8, *rig.DESKTOP), DOCS / "symbol.png")
        t.keys("f")
        rig.poll(lambda: main.get().visible, "the window back from the icon")

        main.click(QUIT)
        box = t.box("Speichern", [IDYES, IDNO, IDCANCEL])
        settled_shot(t.display, box.get().rect, DOCS / "frage.png")
        box.press(IDCANCEL, main)

        main.click(RESTART)
        t.box("Speichern", [IDYES, IDNO]).press(IDNO, main)
        t.box("Löschen", [IDYES, IDNO]).press(IDYES, main)
        rig.may_reboot(lambda: t.box("Neu starten", [IDOK]).press(IDOK, main))
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
            settled_shot(display, (0, 0, 640, 400), DOCS / "banner.png")
        finally:
            box.kill()
            xvfb.terminate()


def main():
    DOCS.mkdir(exist_ok=True)
    banner(velkor_and_autoexec())
    print("\n".join(str(DOCS / f"{name}.png") for name in ("velkor", "anordnen", "symbol", "frage", "banner")))


if __name__ == "__main__":
    main()
