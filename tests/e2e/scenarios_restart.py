"""The restart into MS-DOS mode: the questions on the way, the backups, the
generated start files and the reboot request."""

from expected import SEEDED, START_FILES, Option, autoexec_bat, config_sys, ini
from rig import IDNO, IDOK, IDYES, Failed, expect, expect_equal, expect_outcome, scenario
from velkor import ID, INI, SAVE_QUESTION, check1, edit_row, expect_leaves_silently, seed, seed_start_files, start

M1 = ("Speichern", SAVE_QUESTION, [IDYES, IDNO])
M2 = ("Neu starten", ["Sie haben keine Option ausgewählt.", "Der DOS-Modus wird deshalb nicht",
                      "gestartet. Wählen Sie eine Option", "und versuchen Sie es erneut."], [IDOK])
M3 = ("Löschen", ["Folgende Dateien werden jetzt", "gelöscht, falls sie existieren sollten:",
                  "C:\\Autoexec.app, C:\\Config.app,", "C:\\Autoexec.wos, C:\\Config.wos",
                  "Wollen Sie fortfahren?"], [IDYES, IDNO])
M4 = ("Neu starten", ["Der Computer wird jetzt im DOS-Modus neu", "gestartet. Bitte schließen Sie alle Anwendungen",
                      "und klicken Sie anschließend auf OK."], [IDOK])


USER_FILES = {k: START_FILES[k] for k in ("C:\\Config.sys", "C:\\Autoexec.bat")}


def box(t, which, shot):
    b = t.message_box()
    b.expect(*which)
    t.shot(shot)
    return b


def tick(main, rows):
    for row in rows:
        main.click(check1(row))
        expect_equal(main.checked(check1(row)), 1, f"tick of row {row}")


def may_reboot(window, action, *args):
    """An action after which the program may reboot at once, taking the driver
    with it before it can answer."""
    try:
        return action(*args)
    except Failed:
        if not window.s.driver.gone:
            raise
        return "ended"


def expect_restarted(t, state, ticked, seeded=START_FILES):
    """The reboot was requested and drive C: holds the new start files, the
    user's old ones as backups, and no leftovers."""
    expect(t.reboot_requested(), "no reboot was requested (the driver got no WM_QUERYENDSESSION/WM_ENDSESSION)")
    t.expect_file("C:\\Config.wos", seeded["C:\\Config.sys"], "backup of the user's Config.sys")
    t.expect_file("C:\\Autoexec.wos", seeded["C:\\Autoexec.bat"], "backup of the user's Autoexec.bat")
    t.expect_file("C:\\Config.app", None)
    t.expect_file("C:\\Autoexec.app", None)
    t.expect_file("C:\\Config.sys", config_sys(state, ticked), "generated")
    t.expect_file("C:\\Autoexec.bat", autoexec_bat(state, ticked), "generated")


def expect_untouched(t, seeded=START_FILES):
    for name in ("C:\\Config.sys", "C:\\Autoexec.bat", "C:\\Config.wos", "C:\\Autoexec.wos", "C:\\Config.app",
                 "C:\\Autoexec.app"):
        t.expect_file(name, seeded.get(name), "must be as it was")


def ok_at_m4(t):
    m4 = box(t, M4, "m4").window
    may_reboot(m4, m4.click, IDOK)


def expect_no_reboot(t):
    expect_equal(t.drive("endsession")[0], "no", "reboot requested")


@scenario
def restart_menu_silent(t):
    """Both questions off and nothing to save: the menu item restarts without a
    single message box. No earlier backups exist; the names wrap in the banner."""
    state = SEEDED.with_flags(0, 0)
    seed(t, state)
    seed_start_files(t, USER_FILES)
    main = start(t)
    ticked = (1, 4, 6, 7, 9)
    tick(main, ticked)
    if may_reboot(main, main.menu, ID["IDM_NEUS"]) == "modal":
        b = t.message_box()
        expect(False, f'no question expected, but "{b.title}" asks {b.text!r}')
    expect_restarted(t, state, ticked, USER_FILES)


@scenario
def restart_no_at_m3(t):
    seed(t)
    seed_start_files(t)
    main = start(t)
    tick(main, (2,))
    main.click(ID["IDC_COMMAND2"])
    expect_outcome(box(t, M3, "m3").press(IDNO, main), "done", "after No at M3")
    t.expect_no_message_box(main)
    expect_no_reboot(t)
    expect_untouched(t)
    expect_leaves_silently(t, main, "beenden")
    t.end()
    expect_untouched(t)


@scenario
def restart_nothing_ticked(t):
    seed(t)
    seed_start_files(t)
    main = start(t)
    main.click(ID["IDC_COMMAND2"])
    expect_outcome(box(t, M2, "m2").press(IDOK, main), "done", "after OK at M2")
    t.expect_no_message_box(main)
    expect_no_reboot(t)
    expect_untouched(t)
    expect_leaves_silently(t, main, "close")
    t.end()
    expect_untouched(t)
    t.expect_file(INI, ini(SEEDED))


@scenario
def restart_m1_yes_nothing_ticked(t):
    """Yes at M1 saves even though M2 then stops the restart."""
    seed(t)
    seed_start_files(t)
    main = start(t)
    edited = SEEDED.with_option(5, Option("Neu angelegt", ("REM neu",), ("ECHO neu", "ECHO zwei")))
    edit_row(t, main, 5, name="Neu angelegt", config="REM neu", autoexec=("ECHO neu", "ECHO zwei"))
    main.click(ID["IDC_COMMAND2"])
    expect_outcome(box(t, M1, "m1").press(IDYES, main), "modal", "after Yes at M1")
    t.expect_file(INI, ini(edited), "saved at M1")
    expect_outcome(box(t, M2, "m2").press(IDOK, main), "done", "after OK at M2")
    expect_no_reboot(t)
    expect_untouched(t)
    expect_leaves_silently(t, main, "beenden")  # saved, so no question
    t.end()
    t.expect_file(INI, ini(edited))


@scenario
def restart_m1_no(t):
    """No at M1: not saved, but the restart uses the edit; only the restart
    notice (M4) is on."""
    state = SEEDED.with_flags(0, -1)
    seed(t, state)
    seed_start_files(t)
    main = start(t)
    edited = state.with_option(0, Option("Maus (seriell)", ("DEVICE=C:\\DOS\\MOUSE.SYS /C1", "REM COM1")))
    edit_row(t, main, 0, name="Maus (seriell)", config=("DEVICE=C:\\DOS\\MOUSE.SYS /C1", "REM COM1"), autoexec="")
    tick(main, (0, 2))
    main.click(ID["IDC_COMMAND2"])
    expect_outcome(box(t, M1, "m1").press(IDNO, main), "modal", "after No at M1")
    ok_at_m4(t)
    expect_restarted(t, edited, (0, 2))
    t.expect_file(INI, ini(state), "No at M1 saves nothing")


@scenario
def restart_all_questions(t):
    """M1 Yes, M3 Yes, M4 OK: saved first, then restarted with the edit."""
    seed(t)
    seed_start_files(t)
    main = start(t)
    edited = SEEDED.with_option(8, Option("Treiber", ("DEVICE=C:\\TREIBER\\X.SYS",), ("C:\\TREIBER\\X.EXE",)))
    edit_row(t, main, 8, name="Treiber", config="DEVICE=C:\\TREIBER\\X.SYS", autoexec="C:\\TREIBER\\X.EXE")
    tick(main, (8, 10))
    expect_outcome(main.click(ID["IDC_COMMAND2"]), "modal", "&Neu starten")
    expect_outcome(box(t, M1, "m1").press(IDYES, main), "modal", "after Yes at M1")
    t.expect_file(INI, ini(edited), "saved at M1")
    expect_outcome(box(t, M3, "m3").press(IDYES, main), "modal", "after Yes at M3")
    # While the notice is up the old backups are gone, the start files not yet moved.
    expect_untouched(t, USER_FILES)
    ok_at_m4(t)
    expect_restarted(t, edited, (8, 10))
    t.expect_file(INI, ini(edited))
