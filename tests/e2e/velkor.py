# Velkor as the scenarios see it: its IDs (read from resource.h), its files, and
# the steps a person takes.
import re
from pathlib import Path

from rig import BM_CLICK, Failed, expect, expect_equal, listed, poll

HERE = Path(__file__).resolve().parent
ID = {m[1]: int(m[2]) for m in re.finditer(r"#define (\w+) +(\d+)", (HERE / "../../src/win32/resource.h").read_text())}
TITLE, EDITOR = "Velkor für die Eingabeaufforderung", "Option ändern"
EXE, INI = "C:\\Velkor\\Velkor.exe", "C:\\Velkor\\Velkor.ini"
NEU_STARTEN, SPEICHERN, BEENDEN = ID["IDC_COMMAND2"], ID["IDC_COMMAND3"], ID["IDC_COMMAND7"]
NAME, CONFIG, AUTOEXEC, ABBRECHEN, UEBERNEHMEN = (ID[f"IDC_F2_{n}"] for n in ("TEXT1", "TEXT2", "TEXT3", "COMMAND1",
                                                                                "COMMAND2"))


def data(name):
    return (HERE / "data" / name).read_bytes()


def check(row):
    return ID["IDC_CHECK1_FIRST"] + row


def rows(main):
    return [main.get(check(row)) for row in range(11)]


def tick(main, rows):
    for row in rows:
        main.click(check(row))


def open_editor(t, main, row):
    expect_equal(main.act(BM_CLICK, control=ID["IDC_COMMAND1_FIRST"] + row), "modal", f'"..." of row {row}')
    return t.window(EDITOR)


def edit(t, main, row, texts=()):
    # Types texts ({control: text}, lines joined by \n) into the editor of a row and accepts them.
    editor = open_editor(t, main, row)
    for control, text in dict(texts).items():
        editor.type(control, text)
    editor.press(UEBERNEHMEN, main, "done")


def ticked(main):
    return [i for i, r in enumerate(rows(main)) if r.checked]


def menu_from_icon(t, key):
    # A real right-click on the notification-area icon, then an item of its menu by its access key. The task bar
    # may show a new icon a moment late, and now and then the menu misses its key: each is done again, a few times.
    def menu_open():
        try:
            return any(w.cls == "#32768" for w in listed(t.drive("list")))
        except Failed:  # vkdrive went down with the session: a restart was chosen
            return False
    def press():
        t.shot(f"icon-menu-{key}")
        t.keys(key)
    for action, wanted, what in ((t.right_click_icon, True, "the icon's menu"), (press, False, f"{key} to close it")):
        for attempt in range(5):
            action()
            try:
                poll(lambda: menu_open() == wanted, what, 2)
                break
            except Failed:
                expect(attempt < 4, f"waited five times for {what}")


def may_reboot(action):
    # The reboot may take vkdrive down before it answers.
    try:
        return action()
    except Failed:
        return "ended"
