"""What goes wrong on real machines: files that cannot be written, a DOS-mode
session ended by a reset, a missing Config.sys, and keys that must not end the
option editor."""

from expected import SEEDED, START_FILES, Option, autoexec_bat, config_sys, ini
from rig import IDOK, IDYES, VK_ESCAPE, VK_RETURN, expect, expect_equal, expect_outcome, scenario
from scenarios_restart import USER_FILES, box, expect_no_reboot, expect_restarted, expect_untouched, may_reboot, tick
from velkor import (ID, INI, close_editor_and_leave, edit_row, expect_rows, expect_save_prompt, leave, open_editor, seed,
                    seed_start_files, start)

SAVE_FAILED = ("Speichern", ["Velkor konnte die Einstellungen nicht in", INI,
                             "speichern. Die Datei ist schreibgeschützt,", "oder der Datenträger ist voll.",
                             "Ihre Änderungen sind noch nicht gesichert."], [IDOK])
CONFIG_SYS_READ_ONLY = ("Neu starten", ["Der DOS-Modus wird nicht gestartet:",
                                        "Die Datei C:\\Config.sys ist schreibgeschützt",
                                        "oder wird von einem anderen Programm", "benutzt.",
                                        "Ihre Startdateien C:\\Config.sys und",
                                        "C:\\Autoexec.bat sind unverändert."], [IDOK])
SILENT = SEEDED.with_flags(0, 0)  # a restart without questions


def restart_silently(t, main):
    if may_reboot(main, main.click, ID["IDC_COMMAND2"]) == "modal":
        b = t.message_box()
        expect(False, f'no message box expected, but "{b.title}" says {b.text!r}')


@scenario
def save_read_only_ini(t):
    """A read-only Velkor.ini stays as it is; the edit stays in the window, and
    a failed save at leaving keeps the program open."""
    seed(t)
    t.read_only(INI)
    main = start(t)
    edited = SEEDED.with_option(4, Option("Smartdrive groß", (), ("C:\\WINDOWS\\SMARTDRV.EXE 8192",)))
    edit_row(t, main, 4, name="Smartdrive groß", autoexec="C:\\WINDOWS\\SMARTDRV.EXE 8192")
    expect_outcome(main.click(ID["IDC_COMMAND3"]), "modal", "&Speichern of a read-only Velkor.ini")
    expect_outcome(box(t, SAVE_FAILED, "save-failed").press(IDOK, main), "done", "after OK")
    t.expect_no_message_box(main)
    t.expect_file(INI, ini(SEEDED), "read-only")

    expect_outcome(leave(main, "beenden"), "modal", "&Beenden with an unsaved edit")
    expect_outcome(expect_save_prompt(t).press(IDYES, main), "modal", "after Yes to the save question")
    expect_outcome(box(t, SAVE_FAILED, "leave-save-failed").press(IDOK, main), "done", "after OK")
    t.expect_no_message_box(main)
    t.expect_running(main)
    expect_rows(main, edited, "after the failed saves")
    t.end()
    t.expect_file(INI, ini(SEEDED), "read-only")
    expect_equal(sorted(p.name for p in t.host_path("C:\\Velkor").iterdir()),
                 ["Spiele.vkf", "Velkor.exe", "Velkor.ini"], "files in the program folder")


@scenario
def restart_read_only_config_sys(t):
    """A start file that cannot be moved stops the restart before anything on
    disk changes, the old backups included."""
    seed(t, SILENT)
    seed_start_files(t)
    t.read_only("C:\\Config.sys")
    main = start(t)
    tick(main, (0, 3))
    expect_outcome(main.click(ID["IDC_COMMAND2"]), "modal", "&Neu starten")
    expect_outcome(box(t, CONFIG_SYS_READ_ONLY, "refused").press(IDOK, main), "done", "after OK")
    t.expect_no_message_box(main)
    t.expect_running(main)
    expect_no_reboot(t)
    expect_untouched(t)
    t.end()
    expect_untouched(t)


@scenario
def restart_after_reset(t):
    """A reset in DOS mode left Velkor's start files in place and the user's as
    .wos; the next restart backs up the user's files, not the generated ones."""
    seed(t, SILENT)
    seed_start_files(t)
    t.put("C:\\Config.wos", USER_FILES["C:\\Config.sys"])
    t.put("C:\\Autoexec.wos", USER_FILES["C:\\Autoexec.bat"])
    t.put("C:\\Config.sys", config_sys(SILENT, (0, 3)))
    t.put("C:\\Autoexec.bat", autoexec_bat(SILENT, (0, 3)))
    main = start(t)
    tick(main, (1, 6))
    restart_silently(t, main)
    expect_restarted(t, SILENT, (1, 6), USER_FILES)


@scenario
def restart_without_config_sys(t):
    """Without Config.sys the backup is an empty Config.wos."""
    seed(t, SILENT)
    seed_start_files(t, ("C:\\Autoexec.bat",))
    main = start(t)
    tick(main, (2,))
    restart_silently(t, main)
    expect_restarted(t, SILENT, (2,), {"C:\\Config.sys": b"", "C:\\Autoexec.bat": START_FILES["C:\\Autoexec.bat"]})


@scenario
def editor_ignores_enter_and_escape(t):
    """Enter and Escape do not end the editor, not even in a multi-line box
    (which closes its dialog on Escape by itself); only its buttons and its
    close box do."""
    seed(t)
    main = start(t)
    editor = open_editor(t, main, 2)
    for control, vk, key in (("IDC_F2_TEXT1", VK_RETURN, "Enter"), ("IDC_F2_TEXT1", VK_ESCAPE, "Escape"),
                             ("IDC_F2_TEXT2", VK_ESCAPE, "Escape")):
        expect_equal(editor.key(ID[control], vk), "done", f"{key} in {control}")
        main.sync()
        expect(editor.hwnd in (w[0] for w in t.windows()), f"{key} in {control} closed the editor")
    expect_equal(editor.text(ID["IDC_F2_TEXT1"]), SEEDED.options[2].name, "name after the keys")
    expect_equal(editor.text(ID["IDC_F2_TEXT2"]), "\r\n".join(SEEDED.options[2].config), "lines after the keys")
    t.shot("editor-after-keys")
    close_editor_and_leave(t, main, editor)
    t.expect_file(INI, ini(SEEDED))
