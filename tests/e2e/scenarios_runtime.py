"""Velkor's own start-up and its ends for misuse (src/runtime), in a program
of their own: what WinMain gets, and the message and exit code when memory
runs out or the library reports misuse."""

from pathlib import Path

from rig import IDOK, Pending, expect_equal, scenario

ENDS = (("memory", "Der Arbeitsspeicher reicht nicht aus. Velkor wird beendet."),
        ("range", "Ein unerwarteter Fehler ist aufgetreten. Velkor wird beendet."))


@scenario
def runtime_start_and_misuse(t):
    """The program's folder has a blank in it, so its name on the command line
    is quoted; WinMain gets only what follows, and its result is the exit code."""
    source = Path(t.opts.driver).parent / "runtime_child.exe"
    if not source.is_file():
        raise Pending("runtime_child.exe is not built yet")
    folder = "C:\\Zwei Worte"
    exe = t.install(folder, "runtime_child.exe", source)
    t.drive("start", f'"{exe}" "two words" and more', folder)
    expect_equal(t.exit_code(), 42, "exit code (2: not started as a program, 3: other arguments)")
    for job, text in ENDS:
        t.start(exe, job, title="Velkor")
        box = t.message_box()
        box.expect("Velkor", [text], [IDOK])
        box.window.click(IDOK)
        expect_equal(t.exit_code(), 1, f"exit code after \"{job}\"")
