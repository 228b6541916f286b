"""The option editor, and leaving with and without unsaved edits."""

from expected import SEEDED, Option, ini
from rig import IDCANCEL, IDNO, IDYES, expect, expect_equal, expect_outcome, scenario
from velkor import (ID, INI, check1, close_editor_and_leave, edit_row, expect_leaves_silently, expect_rows,
                    expect_save_prompt, leave, open_editor, seed, start)

ROW = 2
NEW_CONFIG = ("DEVICE=C:\\NEU\\EINS.SYS", "DEVICEHIGH=C:\\NEU\\ZWEI.SYS /Ü")
EDITED = SEEDED.with_option(ROW, Option("Speicher (neu)", NEW_CONFIG))


def edit_and_leave(t, way, answer):
    seed(t)
    main = start(t)
    editor = open_editor(t, main, ROW)
    # Centred over the main window.
    ml, mt, mr, mb = main.rect()
    el, et, er, eb = editor.rect()
    want = (ml + ((mr - ml) - (er - el)) / 2, mt + ((mb - mt) - (eb - et)) / 2)
    expect(abs(el - want[0]) <= 1 and abs(et - want[1]) <= 1,
           f"editor at {el},{et}, centred over the main window would be {want[0]:.0f},{want[1]:.0f}")
    seeded = SEEDED.options[ROW]
    expect_equal(editor.text(ID["IDC_F2_TEXT1"]), seeded.name, "editor name")
    expect_equal(editor.text(ID["IDC_F2_TEXT2"]), "\r\n".join(seeded.config), "editor Config.sys lines")
    expect_equal(editor.text(ID["IDC_F2_TEXT3"]), "\r\n".join(seeded.autoexec), "editor Autoexec.bat lines")
    editor.click(ID["IDC_F2_COMMAND1"])
    editor.gone()

    edit_row(t, main, ROW, name=EDITED.options[ROW].name, config=NEW_CONFIG, shot="editor")
    expect_rows(main, EDITED, "after Übernehmen")
    expect_outcome(leave(main, way), "modal", f"leaving by {way} with an unsaved edit")
    box = expect_save_prompt(t, shot="prompt")
    t.expect_file(INI, ini(SEEDED), "while the question is open")
    result = box.press(answer, main)
    if answer in (IDYES, IDNO):
        expect_outcome(result, ("closed", "ended"), "after Yes or No to the save question")
    if answer == IDYES:
        t.expect_ended()
        t.end()
        t.expect_file(INI, ini(EDITED), "Yes saves the edit")
    elif answer == IDNO:
        t.expect_ended()
        t.end()
        t.expect_file(INI, ini(SEEDED), "No leaves the file as it was")
    else:
        expect_outcome(result, "done", "after Cancel")
        t.expect_no_message_box(main)
        t.expect_running(main)
        expect_rows(main, EDITED, "after Cancel")
        t.expect_file(INI, ini(SEEDED), "Cancel saves nothing")
        main.click(ID["IDC_COMMAND3"])
        t.expect_file(INI, ini(EDITED), "&Speichern after Cancel")
        expect_leaves_silently(t, main, way)
        t.end()
        t.expect_file(INI, ini(EDITED), "after leaving")


for _way in ("beenden", "close"):
    for _answer, _word in ((IDYES, "yes"), (IDNO, "no"), (IDCANCEL, "cancel")):
        scenario(lambda t, w=_way, a=_answer: edit_and_leave(t, w, a), name=f"leave_{_way}_{_word}")


@scenario
def editor_cancel(t):
    """Typing and then "&Abbrechen" (or the editor's close box) changes
    nothing, and leaving asks nothing."""
    seed(t)
    main = start(t)
    editor = open_editor(t, main, 0)
    editor.type(ID["IDC_F2_TEXT1"], "Verworfen", replace=True)
    editor.type(ID["IDC_F2_TEXT2"], "REM eins\nREM zwei", replace=True)
    editor.type(ID["IDC_F2_TEXT3"], "REM drei")
    editor.click(ID["IDC_F2_COMMAND1"])
    editor.gone()
    expect_outcome(main.sync(), "done", "after &Abbrechen")
    expect_rows(main, SEEDED, "after &Abbrechen")
    editor = open_editor(t, main, 0)
    expect_equal(editor.text(ID["IDC_F2_TEXT1"]), SEEDED.options[0].name, "name when opened again")
    expect_equal(editor.text(ID["IDC_F2_TEXT2"]), "\r\n".join(SEEDED.options[0].config), "lines when opened again")
    editor.type(ID["IDC_F2_TEXT1"], "Auch verworfen", replace=True)
    close_editor_and_leave(t, main, editor)
    t.expect_file(INI, ini(SEEDED), "after cancelled edits")


@scenario
def ticks_ask_nothing(t):
    """Ticks are no change worth saving."""
    seed(t)
    main = start(t)
    for row in (0, 3, 10, 3):
        main.click(check1(row))
    for row in range(11):
        expect_equal(main.checked(check1(row)), 1 if row in (0, 10) else 0, f"tick of row {row}")
    expect_leaves_silently(t, main, "close")
    t.end()
    t.expect_file(INI, ini(SEEDED), "ticks are not saved")


@scenario
def editor_accept_unchanged(t):
    """"Übernehmen" without an edit still counts as a change."""
    seed(t)
    main = start(t)
    edit_row(t, main, 5)
    expect_outcome(leave(main, "beenden"), "modal", "leaving after an accepted editor")
    expect_save_prompt(t).press(IDNO, main)
    t.expect_ended()
    t.end()
    t.expect_file(INI, ini(SEEDED))

