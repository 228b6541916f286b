#!/usr/bin/env python3
# Whole stories of a person using Velkor under Wine; each is a ctest test, and one more for each Windows 9x
# version it names (see rig.scenario).
import subprocess
import sys

from rig import (ALT, DESKTOP, ESCAPE, IDCANCEL, IDNO, IDOK, IDRETRY, IDYES, MS, RETURN, SC_MINIMIZE, TAB, WM_COMMAND,
                 WM_QUERYENDSESSION, WM_SYSCOMMAND, WS_MINIMIZE, expect, expect_equal, main, may_reboot, poll, retried,
                 scenario)
from velkor import (ACCEPT, AUTOEXEC, CANCEL, CONFIG, EDITOR, EXE, ID, INI, NAME, QUIT, SAVE, TITLE, data, edit,
                    open_editor, options, tick, ticked)

YES_NO, SAVE_QUESTION = [IDYES, IDNO], [IDYES, IDNO, IDCANCEL]
APP = {"C:\\Config.app": b"REM von einem anderen Programm\r\n", "C:\\Autoexec.app": b"REM auch\r\n"}
USER = {"C:\\Config.sys": data("user-Config.sys"), "C:\\Autoexec.bat": data("user-Autoexec.bat")}
BACKED_UP = {"C:\\Config.wos": USER["C:\\Config.sys"], "C:\\Autoexec.wos": USER["C:\\Autoexec.bat"]}


def expect_centred(rect, area, what):
    expect(all(abs((rect[i] - area[i]) - (area[i + 2] - rect[i + 2])) <= 1 for i in (0, 1)),
           f"{what} at {rect}, not centred on {area}")


@scenario("win98")
def editing(t):
    # Velkor.ini held open by another program: Velkor waits for it. A
    # hand-written Velkor.ini (comments, other case, gaps) loads as read and is
    # saved in the canonical form; edits, taken over or not; then Velkor.ini is
    # read-only: saving fails, and the edit is kept until the user lets it go;
    # held open again, Velkor ends at the user's wish without writing.
    t.put({INI: data("hand.ini"), "C:\\Velkor\\Spiele.vkf": b"06,09\r\n"})
    t.drive("hold", INI)  # another program has it open without sharing
    t.start(EXE, "Laden")
    box = t.box("Laden", [IDRETRY, IDCANCEL], INI)
    t.drive("hold")
    box.click(IDRETRY)
    main = t.window(TITLE)
    w = main.get()
    expect_centred(w.rect, [0, 0, *DESKTOP], "the main window")
    expect(w.client[2:] == [w.client[0] + 281, w.client[1] + 209], f"client area {w.client}, expected 281x209 pixels")
    x, y = w.client[0] + 80, w.client[1]  # within the frame around the options: its line is the client area's top
    poll(lambda: t.drive("pixel", x, y) != t.drive("pixel", x, y + 4), "the frame's line at the top")
    expect(w.style & 0x80000 and not w.style & 0x70000, f"style {w.style:#x}: wants a close box and a fixed border, "
           "no minimise or maximise box")
    expect_equal([(r.text, r.checked, r.visible) for r in options(main)],
                 [(n, 0, 1) for n in ["Maus", "", "Speicher", "", "  Leerzeichen  "] + [""] * 5 + ["Tom && Jerry"]],
                 "options")
    t.expect_alone(main, "at start")
    expect_equal(main.act(WM_COMMAND, ID["IDM_SAVE"]), "done", "Datei/Speichern")
    t.expect_files({INI: data("hand-saved.ini")}, "Datei/Speichern")

    editor = open_editor(t, main, 2)
    expect_centred(editor.get().rect, main.get().rect, "the editor")  # an area that does not start at 0, 0
    expect_equal([editor.get(c).text for c in (NAME, CONFIG, AUTOEXEC)],
                 ["Speicher", "DEVICE=C:\\WINDOWS\\HIMEM.SYS", ""], "the editor of option 2")
    editor.type(NAME, "Speicher (neu)")
    editor.type(CONFIG, "DEVICE=C:\\NEU\\EINS.SYS\nDEVICEHIGH=C:\\NEU\\ZWEI.SYS /Ü")
    editor.press(ACCEPT, main, "done")
    # More than 20 lines: asked before they are cut; No, the default, goes back to the text.
    editor = open_editor(t, main, 4)
    lines = "\n".join(f"REM Zeile {i:02}" for i in range(1, 22))
    editor.type(CONFIG, lines)
    expect_equal(editor.click(ACCEPT), "modal", "Übernehmen with 21 lines")
    box = t.box(EDITOR, YES_NO)
    t.keys(RETURN)  # the default answer: No
    box.gone()
    expect_equal(editor.get(CONFIG).text, lines.replace("\n", "\r\n"), "the lines after Enter (No) to cutting")
    editor.click(ACCEPT)
    t.box(EDITOR, YES_NO).press(IDYES, main)
    editor.gone()
    expect_equal([r.text for r in options(main)][2:5], ["Speicher (neu)", "", "  Leerzeichen  "], "options")
    expect_equal(main.close_box(), "modal", "the close box with unsaved edits")
    box = t.box("Speichern", SAVE_QUESTION)
    t.expect_files({INI: data("hand-saved.ini")}, "while the question is open")
    box.press(IDCANCEL, main, "done")
    expect_equal(main.act(WM_QUERYENDSESSION), "modal", "Windows' shutdown with unsaved edits")
    t.box("Speichern", SAVE_QUESTION).press(IDCANCEL, main, "done")
    t.keys("+" + ALT, "s", "-" + ALT)  # "&Speichern" by its access key
    poll(lambda: t.path(INI).read_bytes() != data("hand-saved.ini"), "Alt+S to save")
    t.expect_files({INI: data("edited.ini")}, "&Speichern")
    # Typing, then "&Abbrechen" or the close box, changes nothing; neither Enter nor Escape ends the editor.
    editor = open_editor(t, main, 2)
    editor.type(NAME, "Verworfen")
    editor.press(CANCEL, main, "done")
    editor = open_editor(t, main, 2)
    expect_equal(editor.get(NAME).text, "Speicher (neu)", "the name after Abbrechen")
    # Real keys: in the name, then in the Config.sys lines, where Enter makes a new line.
    t.keys(RETURN, ESCAPE, "x", TAB, ESCAPE, "y", RETURN, "z")
    poll(lambda: t.drive("alive", editor.hwnd) == ["no"] or editor.get(CONFIG).text.endswith("z"), "the keys")
    expect_equal(editor.get(CONFIG).text, "y\r\nz", "the Config.sys lines after typing")
    expect_equal(t.drive("alive", editor.hwnd), ["yes"], "the editor is open after Enter and Escape")
    editor.close_box()
    editor.gone()
    expect_equal(options(main)[2].text, "Speicher (neu)", "option 2 after the editor's close box")

    t.put({INI: data("edited.ini")}, read_only=(INI,))
    edit(t, main, 0, {NAME: "Maus groß"})
    expect_equal(main.click(SAVE), "modal", "&Speichern of a read-only Velkor.ini")
    # The reason in Windows' own words.
    t.box("Speichern", [IDOK], INI + "\rspeichern:\rZugriff verweigert.").press(IDOK, main, "done")
    expect_equal(main.click(QUIT), "modal", "&Beenden with an unsaved edit")
    t.box("Speichern", SAVE_QUESTION).press(IDYES, main, "modal")
    t.box("Speichern", [IDOK], INI).press(IDOK, main, "done")
    t.expect_alone(main, "after the save at leaving failed")
    expect_equal(options(main)[0].text, "Maus groß", "option 0 after the failed saves")
    main.click(QUIT)
    t.box("Speichern", SAVE_QUESTION).press(IDNO, main)
    t.expect_ended("No to saving at leaving")
    t.drive("hold", INI)
    t.start(EXE, "Laden")
    t.box("Laden", [IDRETRY, IDCANCEL], INI).click(IDCANCEL)
    t.expect_ended("Abbrechen, Velkor.ini unread")
    t.end()
    t.expect_files({INI: data("edited.ini"), "C:\\Velkor\\Spiele.vkf": b"06,09\r\n"}, "at the end")
    expect_equal(sorted(p.name for p in t.path("C:\\Velkor").iterdir()), ["Spiele.vkf", "Velkor.exe", "Velkor.ini"],
                 "files in C:\\Velkor")


@scenario("win98", "win95")
def restart_after_reset(t):
    # Every question on, starting where a reset in DOS mode leaves things: an
    # earlier restart's start files live, the user's as .wos; .app files of another program.
    t.put({INI: data("seed.ini"), "C:\\Config.sys": data("earlier-Config.sys"),
           "C:\\Autoexec.bat": data("earlier-Autoexec.bat"), **BACKED_UP, **APP})
    main = t.start(EXE, TITLE)
    edit(t, main, 8, {NAME: "Treiber", CONFIG: "DEVICE=C:\\TREIBER\\X.SYS", AUTOEXEC: "C:\\TREIBER\\X.EXE"})
    tick(main, (2, 8, 10, 3, 3))
    expect_equal(main.act(WM_COMMAND, ID["IDM_RESTART"]), "modal", "Datei/Neu starten")
    t.box("Speichern", YES_NO).press(IDYES, main, "modal")
    t.expect_files({INI: data("restart.ini")}, "Yes to saving")
    t.box("Löschen", YES_NO).press(IDYES, main, "modal")
    notice = t.box("Neu starten", [IDOK])
    t.expect_files({**dict.fromkeys([*APP, *BACKED_UP]), **USER}, "during the notice")
    if may_reboot(lambda: notice.press(IDOK, main)) == "modal":
        t.expect_alone(main, "OK to the notice")
    t.expect_reboot()
    t.expect_files({INI: data("restart.ini"), "C:\\Config.sys": data("restart-Config.sys"),
                    "C:\\Autoexec.bat": data("restart-Autoexec.bat"), **BACKED_UP}, "restarted")
    expect_equal(sorted(p.name for p in t.drive_c.iterdir() if p.is_file()),
                 ["Autoexec.bat", "Autoexec.wos", "Config.sys", "Config.wos"], "files in C:\\")


@scenario("win98")
def configurations(t):
    # Slots 1, 3 and 4 listed (the file of 3 gone): the menu packs them, and its
    # third entry ticks slot 4. Ticks saved as a file load back; an empty file
    # is refused. Arranged: "X", "...", "&Abbrechen", then taken over, with one
    # message for the lost file and every row after it; leaving asks to save.
    vkf = {"C:\\Velkor\\Alle.vkf": b"00,01,02\r\n", "C:\\Velkor\\Spiele.vkf": b"06,09\r\n",
           "C:\\Velkor\\Leer.vkf": b""}
    t.put({INI: data("configs.ini"), **vkf})
    main = t.start(EXE, TITLE)

    def choose(key):
        retried(lambda: t.keys("+" + ALT, "k", "-" + ALT), t.menu_open, "the Konfiguration menu")
        t.shot(f"menu-{key}")
        t.keys(key)
        main.sync()

    choose("3")
    expect_equal(poll(lambda: ticked(main), "ticks"), [6, 9], "ticks after the third configuration")
    for command, title, path in (("IDM_SAVE_CONFIG_AS", "Konfiguration speichern", "C:\\Velkor\\Neu"),
                                 ("IDM_LOAD_CONFIG", "Konfiguration laden", "C:\\Velkor\\Leer.vkf")):
        expect_equal(main.act(WM_COMMAND, ID[command]), "modal", command)
        t.file_dialog(title, path)
    t.box("Konfiguration", [IDOK], "Leer.vkf").press(IDOK, main, "done")
    t.expect_files({"C:\\Velkor\\Neu.vkf": b"06,09\r\n"}, "saved with the extension added")
    tick(main, (0, 6))
    main.act(WM_COMMAND, ID["IDM_LOAD_CONFIG"])
    t.file_dialog("Konfiguration laden", "C:\\Velkor\\Neu.vkf")
    expect_equal(poll(lambda: ticked(main) == [6, 9] and ticked(main), "ticks"), [6, 9], "ticks loaded back")
    for way, last in ((ID["IDC_ARRANGE_DIALOG_CANCEL"], "done"), (ID["IDC_ARRANGE_DIALOG_ACCEPT"], "modal")):
        expect_equal(main.act(WM_COMMAND, ID["IDM_ARRANGE"]), "modal", "Konfiguration/Anordnen")
        arrange = t.window("Konfigurationen anordnen")
        texts = [arrange.get(ID["IDC_ARRANGE_DIALOG_PATH_FIRST"] + r).text for r in range(9)]
        expect_equal(texts, ["C:\\Velkor\\Alle.vkf", "", "C:\\Velkor\\Weg.vkf", "C:\\Velkor\\Spiele.vkf"] +
                     [""] * 5, "the rows")
        arrange.click(ID["IDC_ARRANGE_DIALOG_CLEAR_FIRST"])
        expect_equal(arrange.click(ID["IDC_ARRANGE_DIALOG_PICK_FIRST"] + 7), "modal", '"..." of row 8')
        t.file_dialog("Konfiguration laden", "C:\\Velkor\\Neu.vkf")  # gone a moment before row 8 shows the file
        poll(lambda: arrange.get(ID["IDC_ARRANGE_DIALOG_PATH_FIRST"] + 7).text == "C:\\Velkor\\Neu.vkf", "Neu.vkf in row 8")
        arrange.press(way, main, last)
    t.box("Konfiguration", [IDOK], "C:\\Velkor\\Weg.vkf").press(IDOK, main, "done")
    tick(main, (3,))
    choose("3")
    expect_equal(poll(lambda: ticked(main) == [6, 9] and ticked(main), "ticks"), [6, 9], "ticks of the new third")
    expect_equal(main.click(QUIT), "modal", "&Beenden after arranging")
    t.box("Speichern", SAVE_QUESTION).press(IDYES, main)
    t.expect_ended("Yes to saving the list")
    t.end()
    t.expect_files({INI: data("configs-saved.ini"), **vkf}, "after leaving")


@scenario("win98")
def settings_and_file_type(t):
    # In the notification area, a dialog opened from the icon and lost behind
    # another program: a click on the icon brings it back and opens no menu.
    # Back by a configuration chosen at the icon; the about box twice; settings
    # cancelled and taken over, the file type registered twice, and between
    # the two a minimised Velkor in the icon started again with a ".vkf" file;
    # leaving from the icon: Cancel, then Yes. Then, with SofortStart, Velkor
    # started as Explorer starts it for a ".vkf" file with blanks in its path:
    # hidden with that file's ticks; back by "&Fenster", and by the shell
    # opening another file, which only ticks, as at a start; one in another
    # folder runs beside it; a configuration chosen at the icon restarts at
    # once, keeping an old backup that lay beside the user's start files.
    mine, old = "C:\\Eigene Dateien\\Meine Spiele.vkf", {"C:\\Config.wos": b"REM alte Sicherung\r\n"}
    t.put({INI: data("seed.ini"), "C:\\Velkor\\Spiele.vkf": b"06,09\r\n", mine: b"02,05\r\n", **USER, **old})
    # The program that opens mail links here notes the link it was given.
    subprocess.run(["wine", "reg", "add", "HKCR\\mailto\\shell\\open\\command", "/ve", "/d",
                    "cmd /c echo %1>C:\\Mail.txt", "/f"], env=t.env, capture_output=True, check=True)
    main = t.start(EXE, TITLE)
    main.click(ID["IDC_MAIN_TO_TRAY"])
    t.menu_from_icon("a")
    arrange = t.window("Konfigurationen anordnen")
    t.drive("run", "notepad", "C:\\", 0)
    poll(lambda: not arrange.get().front, "another program in front")
    t.right_click_icon()
    poll(lambda: arrange.get().front, "the arrange dialog in front after a click on the icon")
    expect(not t.menu_open(), "the icon's menu over the arrange dialog")
    arrange.press(ID["IDC_ARRANGE_DIALOG_CANCEL"], main)
    t.menu_from_icon("1")
    expect_equal(poll(lambda: main.get().visible and ticked(main), "the window with ticks"), [6, 9], "ticks")
    for _ in range(2):
        expect_equal(main.act(WM_COMMAND, ID["IDM_ABOUT"]), "modal", "Info/Über Velkor")
        about = t.window("Info")
        expect_equal([about.get(ID[f"IDC_ABOUT_BOX_{n}"]).text for n in ("TITLE", "VERSION", "LINK")],
                     ["Velkor", "Version 2.0", "Velkor-Projekt <velkor@example.org>"], "the about box")
        about.click(ID["IDC_ABOUT_BOX_LINK"])
        about.close_box()
        about.gone()
    mail = t.path("C:\\Mail.txt")
    # The whole line: cmd may write the text and its line end apart.
    expect_equal(poll(lambda: mail.is_file() and mail.read_bytes().endswith(b"\n") and mail.read_bytes(),
                      "the link to be opened"),
                 b"mailto:velkor@example.org\r\n", "the link opened")
    checks = [ID[f"IDC_SETTINGS_DIALOG_{c}"] for c in ("START_IN_TRAY", "NO_DELETE_QUESTION", "NO_RESTART_NOTICE",
                                                       "RESTART_ON_CHOICE", "REGISTER_VKF")]

    def settings_dialog(way, ticks, shown):
        expect_equal(main.click(ID["IDC_MAIN_SETTINGS"]), "modal", "&Velkor")
        settings = t.window("Einstellungen ändern")
        expect_equal([settings.get(c).checked for c in checks], shown, "the boxes at opening")
        for i in ticks:
            settings.click(checks[i - 1])
        settings.close_box() if way is None else settings.click(way)
        settings.gone()
    # The close box, "&Abbrechen", "Ü&bernehmen" with all but SofortStart, then with it and the registration.
    for step in ((None, (1,), [0] * 5), (ID["IDC_SETTINGS_DIALOG_CANCEL"], (1,), [0] * 5),
                 (ID["IDC_SETTINGS_DIALOG_ACCEPT"], (1, 2, 3, 5), [0] * 5)):
        settings_dialog(*step)
    exe = '"C:\\Velkor\\Velkor.exe"'
    place = main.get().rect
    main.act(WM_SYSCOMMAND, SC_MINIMIZE)
    main.click(ID["IDC_MAIN_TO_TRAY"])
    expect_equal(t.drive("run", exe + " " + mine, "C:\\", MS), ["0"], "the exit code of a second start")
    poll(lambda: main.get().visible and ticked(main) == [2, 5], "the window with ticks 2 and 5")  # shown, then ticked
    w = main.get()
    expect_equal((w.rect, w.style & WS_MINIMIZE), (place, 0), "the window back from the icon")
    settings_dialog(ID["IDC_SETTINGS_DIALOG_ACCEPT"], (4, 5), [1, 1, 1, 0, 0])
    # The command as stored, under "Öffnen"; the double click below sees it work.
    query = subprocess.run(["wine", "reg", "query", "HKCR\\vkffile\\Shell\\Öffnen\\command", "/ve"], env=t.env,
                           capture_output=True).stdout
    expect(f"REG_SZ    {exe} %1\r\n".encode() in query, f"the registered command: {query!r}")
    main.act(WM_COMMAND, ID["IDM_TO_TRAY"])
    for answer in (IDCANCEL, IDYES):  # Cancel keeps the program and its icon
        t.menu_from_icon("b")
        t.box("Speichern", SAVE_QUESTION).click(answer)
    t.expect_ended("Yes to saving, from the icon")
    t.expect_files({INI: data("settings.ini")}, "saved at leaving")

    t.drive("start", exe + " " + mine, "C:\\Eigene Dateien")
    t.menu_from_icon("f")
    main = t.window(TITLE)
    expect_equal(ticked(main), [2, 5], "ticks from the command line")
    main.click(ID["IDC_MAIN_TO_TRAY"])
    expect_equal(t.drive("open", "C:\\Velkor\\Spiele.vkf", MS), ["0"], "the exit code of a double click")
    expect_equal(poll(lambda: main.get().visible and ticked(main), "the window with ticks"), [6, 9], "no restart")
    t.put({"C:\\Anders\\Velkor.exe": t.velkor.read_bytes()})
    expect_equal(t.drive("run", '"C:\\Anders\\Velkor.exe"', "C:\\Anders", 2000), ["running"], "another folder's")
    main.click(ID["IDC_MAIN_TO_TRAY"])
    t.menu_from_icon("1")
    t.expect_reboot()
    # An old backup beside the user's files is kept, never put back over them.
    t.expect_files({"C:\\Autoexec.bat": data("tray-Autoexec.bat"), "C:\\Config.sys": data("tray-Config.sys"),
                    **BACKED_UP, "C:\\Config.v01": old["C:\\Config.wos"]}, "restarted from the icon")


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
