"""The rig on its own stand-in program: if these fail, the Velkor scenarios
cannot be trusted either."""

from rig import DESKTOP, IDCANCEL, IDNO, IDYES, expect, expect_equal, expect_outcome, scenario

IDC_CHECK = 1000
IDC_REBOOT, IDC_SAVE, IDC_LEAVE = 1202, 1203, 1207
IDC_EDIT = 3002
TITLE = "Velkor-Probe für Tests"
QUESTION = ["Wollen Sie Ihre aktuellen Velkor speichern?", "Zweite Zeile für Umlaute"]


@scenario(needs="probe")
def rig_probe(t):
    exe = t.install("C:\\Probe", "probe.exe")
    main = t.start(exe, title=TITLE)
    left, top, right, bottom = main.rect()
    expect((left, top) == ((DESKTOP[0] - (right - left)) // 2, (DESKTOP[1] - (bottom - top)) // 2),
           f"probe window not centred: {left, top, right, bottom}")

    expect_equal(main.checked(IDC_CHECK), 0, "check box at start")
    main.click(IDC_CHECK)
    expect_equal(main.checked(IDC_CHECK), 1, "check box after a click")

    # Enter in the middle, umlauts, and text typed right after an Enter.
    main.type(IDC_EDIT, "erste\nzweite äöüß\ndritte")
    expect_equal(main.text(IDC_EDIT), "erste\r\nzweite äöüß\r\ndritte", "typed text")
    main.type(IDC_EDIT, "neu", replace=True)
    expect_equal(main.text(IDC_EDIT), "neu", "text typed over a selection")

    expect_outcome(main.click(IDC_SAVE), "done", "save click")
    t.expect_file("C:\\Probe\\probe.txt", b"check=1\r\ntext=neu\r\n")
    t.shot("main")

    expect_outcome(main.click(IDC_LEAVE), "modal", "leave click")
    box = t.message_box()
    box.expect("Speichern", QUESTION, [IDYES, IDNO, IDCANCEL])
    t.shot("question")
    expect_outcome(box.press(IDCANCEL, main), "done", "after Cancel")
    t.expect_no_message_box(main)

    main.click(IDC_REBOOT)
    expect(t.reboot_requested(), "the driver was not told of the end of the session")
    t.expect_file("C:\\probe-reboot.txt", b"reboot\r\n")


@scenario(needs="probe")
def rig_probe_exit(t):
    exe = t.install("C:\\Probe", "probe.exe")
    main = t.start(exe, title=TITLE)
    main.click(IDC_LEAVE)
    box = t.message_box()
    box.window.click(IDNO)
    expect_equal(t.exit_code(), 3, "exit code after No")
    t.end()
    t.expect_file("C:\\Probe\\probe.txt", None, "No saves nothing")
