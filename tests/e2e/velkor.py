"""Velkor as the scenarios see it: its IDs (read from resource.h), texts, and
the steps a person takes."""

import re
from pathlib import Path

from expected import SEEDED, SPIELE_VKF, START_FILES, ini
from rig import IDCANCEL, IDNO, IDYES, expect, expect_equal, expect_outcome

_RESOURCE = Path(__file__).resolve().parents[2] / "src" / "win32" / "resource.h"
ID = {m[1]: int(m[2]) for m in re.finditer(r"^#define\s+(\w+)\s+(\d+)", _RESOURCE.read_text(), re.M)}

TITLE = "Velkor für die Eingabeaufforderung"
EDITOR_TITLE = "Option ändern"
EXE = "C:\\Velkor\\Velkor.exe"
INI = "C:\\Velkor\\Velkor.ini"
SAVE_QUESTION = ["Wollen Sie Ihre aktuellen Velkor speichern?"]


def check1(row):
    return ID["IDC_CHECK1_FIRST"] + row


def command1(row):
    return ID["IDC_COMMAND1_FIRST"] + row


def seed(t, state=SEEDED, ini_bytes=None, ini_path=INI):
    """Velkor.ini (the canonical form of `state` unless bytes are given) and the
    configuration file it lists."""
    t.put(ini_path, ini_bytes if ini_bytes is not None else ini(state))
    t.put("C:\\Velkor\\Spiele.vkf", SPIELE_VKF)


def seed_start_files(t, names=tuple(START_FILES)):
    for name in names:
        t.put(name, START_FILES[name])


def start(t, exe=EXE):
    t.install(exe[:exe.rfind("\\")] or "C:\\", exe[exe.rfind("\\") + 1:])
    return t.start(exe, title=TITLE)


def expect_rows(main, state, what="rows"):
    for i, o in enumerate(state.options):
        expect_equal(main.text(check1(i)), o.name, f"{what}: caption of row {i}")


def open_editor(t, main, row):
    expect_outcome(main.click(command1(row)), "modal", f'"..." of row {row}')
    return t.window(EDITOR_TITLE, "#32770")


def edit_row(t, main, row, name=None, config=None, autoexec=None, shot=None):
    """Opens the editor of a row, types over the fields given (lines typed with
    Enter between them) and presses "Übernehmen"."""
    editor = open_editor(t, main, row)
    for control, value in (("IDC_F2_TEXT1", name), ("IDC_F2_TEXT2", config), ("IDC_F2_TEXT3", autoexec)):
        if value is not None:
            typed = value if isinstance(value, str) else "\n".join(value)
            editor.type(ID[control], typed, replace=True)
    if shot:
        t.shot(shot)
    editor.click(ID["IDC_F2_COMMAND2"])
    editor.gone()
    expect_outcome(main.sync(), "done", "main window after the editor closed")
    return editor


def expect_save_prompt(t, shot=None):
    box = t.message_box()
    box.expect("Speichern", SAVE_QUESTION, [IDYES, IDNO, IDCANCEL])
    if shot:
        t.shot(shot)
    return box


def leave(main, way):
    """Leaves through "&Beenden" or the close box; returns how the program stands."""
    return main.click(ID["IDC_COMMAND7"]) if way == "beenden" else main.close_box()


def expect_leaves_silently(t, main, way):
    if leave(main, way) == "modal":
        box = t.message_box()
        expect(False, f'leaving by {way} should end the program at once, but it asks "{box.title}": {box.text!r}')
    t.expect_ended()


def close_editor_and_leave(t, main, editor):
    """The editor's close box changes nothing, so leaving then asks nothing."""
    editor.close_box()
    editor.gone()
    expect_outcome(main.sync(), "done", "after the editor's close box")
    expect_rows(main, SEEDED, "after the editor's close box")
    t.expect_no_message_box(main)
    expect_leaves_silently(t, main, "beenden")
    t.end()
