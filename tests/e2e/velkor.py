# Velkor as the scenarios see it: its IDs (read from resource.h), its files, and
# the steps a person takes.
import re
from pathlib import Path

from rig import BM_CLICK, expect_equal

HERE = Path(__file__).resolve().parent
ID = {m[1]: int(m[2]) for m in re.finditer(r"#define (\w+) +(\d+)", (HERE / "../../src/win32/resource.h").read_text())}
TITLE, EDITOR = "Velkor für die Eingabeaufforderung", "Option ändern"
EXE, INI = "C:\\Velkor\\Velkor.exe", "C:\\Velkor\\Velkor.ini"
RESTART, SAVE, QUIT = ID["IDC_MAIN_RESTART"], ID["IDC_MAIN_SAVE"], ID["IDC_MAIN_QUIT"]
NAME, CONFIG, AUTOEXEC, CANCEL, ACCEPT = (ID[f"IDC_OPTION_EDITOR_{n}"]
                                          for n in ("NAME", "CONFIG", "AUTOEXEC", "CANCEL", "ACCEPT"))


def data(name):
    return (HERE / "data" / name).read_bytes()


def options(main):
    return [main.get(ID["IDC_MAIN_TICK_FIRST"] + option) for option in range(11)]


def tick(main, options):
    for option in options:
        main.click(ID["IDC_MAIN_TICK_FIRST"] + option)


def open_editor(t, main, option):
    expect_equal(main.act(BM_CLICK, control=ID["IDC_MAIN_EDIT_FIRST"] + option), "modal", f'"..." of option {option}')
    return t.window(EDITOR)


def edit(t, main, option, texts=()):
    # Types texts ({control: text}, lines joined by \n) into the editor of an option and accepts them.
    editor = open_editor(t, main, option)
    for control, text in dict(texts).items():
        editor.type(control, text)
    editor.press(ACCEPT, main, "done")


def ticked(main):
    return [i for i, o in enumerate(options(main)) if o.checked]
