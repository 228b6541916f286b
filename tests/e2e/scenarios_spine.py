"""Start-up, the main window and "&Speichern"."""

from expected import SEEDED, SPIELE_VKF, Option, State, ini
from rig import DESKTOP, expect, expect_equal, expect_outcome, scenario
from velkor import ID, INI, TITLE, check1, command1, expect_leaves_silently, expect_rows, seed, start

WS_MINIMIZEBOX, WS_MAXIMIZEBOX, WS_THICKFRAME, WS_SYSMENU = 0x20000, 0x10000, 0x40000, 0x80000
BUTTONS = {"IDC_COMMAND2": "&Neu starten", "IDC_COMMAND3": "&Speichern", "IDC_COMMAND4": "&Anordnen",
           "IDC_COMMAND5": "&Taskleiste", "IDC_COMMAND6": "&Velkor", "IDC_COMMAND7": "&Beenden"}

# Written by hand: comments, blank lines, other case and blanks, a gap in the
# lines, stale keys, lines of a nameless entry. A save writes it clean.
HAND_WRITTEN = """; von Hand bearbeitet
[velkor]
LöschenMSG = -1
STARTENMSG=-1
SofortStart=0
Taskleiste=0
Konfig2=C:\\Velkor\\Spiele.vkf

[Eintrag1]
Name=Maus
config1=DEVICE=C:\\DOS\\MOUSE.SYS
Config3=REM nach einer Lücke, wird nicht gelesen
Autoexec1=C:\\DOS\\MOUSE.COM /Y
[Eintrag3]
Name=Speicher
Config1=DEVICE=C:\\WINDOWS\\HIMEM.SYS
Config2=
Config3=REM nach einer leeren Zeile, wird nicht gelesen
[Eintrag6]
Name=
Config1=REM ohne Namen, geht beim Speichern verloren
[Eintrag11]
Name=Letzte
Veraltet=1
""".replace("\n", "\r\n").encode("cp1252")
HAND_WRITTEN_READ = State(
    (Option("Maus", ("DEVICE=C:\\DOS\\MOUSE.SYS",), ("C:\\DOS\\MOUSE.COM /Y",)), Option(),
     Option("Speicher", ("DEVICE=C:\\WINDOWS\\HIMEM.SYS",))) + (Option(),) * 7 + (Option("Letzte"),),
    flags=(-1, -1, 0, 0), konfig=SEEDED.konfig)


def expect_centred(main):
    left, top, right, bottom = main.rect()
    want_left, want_top = (DESKTOP[0] - (right - left)) / 2, (DESKTOP[1] - (bottom - top)) / 2
    expect(abs(left - want_left) <= 1 and abs(top - want_top) <= 1,
           f"main window at {left},{top} (size {right - left}x{bottom - top}), centred would be "
           f"{want_left:.0f},{want_top:.0f} on the {DESKTOP[0]}x{DESKTOP[1]} desktop")


@scenario
def spine_window(t):
    seed(t)
    main = start(t)
    expect_equal(main.text(), TITLE, "window title")
    expect_centred(main)
    style = main.info()["style"]
    expect(style & WS_SYSMENU and not style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME),
           f"window style {style:#x}: wants a close box, a fixed border and no minimise or maximise button")
    cl, ct, cr, cb = main.client_rect()
    expect((cr - cl, cb - ct) == (281, 209), f"client area {cr - cl}x{cb - ct}, expected 281x209 (4215x3135 twips)")
    expect_rows(main, SEEDED)
    for i in range(11):
        expect_equal(main.checked(check1(i)), 0, f"tick of row {i} at start")
        expect(main.info(check1(i))["visible"], f"row {i} is not shown")
        expect_equal(main.text(command1(i)), "...", f'"..." button of row {i}')
    for control, caption in BUTTONS.items():
        expect_equal(main.text(ID[control]), caption, f"caption of {control}")
    t.expect_no_message_box(main)
    t.shot("main")
    expect_leaves_silently(t, main, "beenden")
    t.end()
    t.expect_file(INI, ini(SEEDED), "leaving without changes writes nothing")
    t.expect_file("C:\\Velkor\\Spiele.vkf", SPIELE_VKF)


@scenario
def spine_save(t):
    seed(t, ini_bytes=HAND_WRITTEN)
    main = start(t)
    expect_rows(main, HAND_WRITTEN_READ)
    expect_outcome(main.click(ID["IDC_COMMAND3"]), "done", "&Speichern")
    t.expect_no_message_box(main)
    t.expect_file(INI, ini(HAND_WRITTEN_READ), "after &Speichern")
    # Again, from the menu: the same file, written anew.
    before = t.host_path(INI).stat().st_mtime_ns
    t.put(INI, b"; wird ersetzt\r\n")
    expect_outcome(main.menu(ID["IDM_SPEICHERN"]), "done", "Datei/Speichern")
    t.expect_no_message_box(main)
    t.expect_file(INI, ini(HAND_WRITTEN_READ), "after the second save")
    expect(t.host_path(INI).stat().st_mtime_ns != before, "the second save did not write the file")
    expect_leaves_silently(t, main, "close")
    t.end()
    expect_equal(sorted(p.name for p in t.host_path("C:\\Velkor").iterdir()),
                 ["Spiele.vkf", "Velkor.exe", "Velkor.ini"], "files in the program folder")
    t.expect_file("C:\\Velkor\\Spiele.vkf", SPIELE_VKF, "configuration files are not touched by a save")


@scenario
def spine_drive_root(t):
    """The program in C:\\ keeps its settings in C:\\Velkor.ini; the Windows
    folder plays no part."""
    state = SEEDED.with_option(0, Option("Im Hauptverzeichnis", ("FILES=30",)))
    seed(t, state, ini_path="C:\\Velkor.ini")
    decoy = ini(State((Option("Falsche Datei"),) * 11))
    t.put("C:\\windows\\Velkor.ini", decoy)
    main = start(t, "C:\\Velkor.exe")
    expect_rows(main, state)
    main.click(ID["IDC_COMMAND3"])
    t.expect_no_message_box(main)
    t.expect_file("C:\\Velkor.ini", ini(state), "saved beside the program")
    expect_leaves_silently(t, main, "beenden")
    t.end()
    t.expect_file("C:\\windows\\Velkor.ini", decoy, "the Windows folder's Velkor.ini")
    t.expect_file(INI, None, "no Velkor.ini in C:\\Velkor")


@scenario
def spine_missing_ini(t):
    """Without Velkor.ini: an empty table, no message, and the first save
    creates the file."""
    main = start(t)
    # Without a file both safety questions before a restart are on.
    empty = State((Option(),) * 11, flags=(-1, -1, 0, 0))
    expect_rows(main, empty)
    for i in range(11):
        expect_equal(main.checked(check1(i)), 0, f"tick of row {i}")
    t.expect_no_message_box(main)
    t.shot("empty")
    t.expect_file(INI, None, "before the first save")
    main.click(ID["IDC_COMMAND3"])
    t.expect_no_message_box(main)
    t.expect_file(INI, ini(empty), "created by the first save")
    expect_leaves_silently(t, main, "close")
    t.end()
    t.expect_file(INI, ini(empty), "after leaving")

