"""What the program's files must hold, worked out independently of its code:
Velkor.ini as Wine's WritePrivateProfileStringA writes a new file, and the
generated start files. All texts are str here and cp1252 bytes on disk."""

from dataclasses import dataclass, replace

FLAG_KEYS = ("LöschenMSG", "StartenMSG", "SofortStart", "Taskleiste")
WINDOWS_DIR = "C:\\windows"  # GetWindowsDirectoryA under Wine


@dataclass(frozen=True)
class Option:
    name: str = ""
    config: tuple = ()
    autoexec: tuple = ()


@dataclass(frozen=True)
class State:
    options: tuple  # 11 Options
    flags: tuple = (0, 0, 0, 0)  # LöschenMSG, StartenMSG, SofortStart, Taskleiste
    konfig: tuple = ("",) * 9

    def with_option(self, row, option):
        options = list(self.options)
        options[row] = option
        return replace(self, options=tuple(options))

    def with_flags(self, löschen, starten):
        return replace(self, flags=(löschen, starten) + self.flags[2:])


def crlf(lines):
    return "".join(line + "\r\n" for line in lines).encode("cp1252")


def ini(state):
    """Velkor.ini after a save: sections in the order first written, no blank
    lines between them, every line ended by CR LF."""
    lines = ["[Velkor]"]
    lines += [f"{k}={v}" for k, v in zip(FLAG_KEYS, state.flags)]
    lines += [f"Konfig{n}={p}" for n, p in enumerate(state.konfig, 1)]
    for i, o in enumerate(state.options):
        lines += [f"[Eintrag{i + 1}]", f"Name={o.name}"]
        if o.name:
            lines += [f"Config{k}={v}" for k, v in enumerate(o.config[:20], 1)]
            lines += [f"Autoexec{k}={v}" for k, v in enumerate(o.autoexec[:20], 1)]
    return crlf(lines)


def config_sys(state, ticked):
    lines = []
    for i in sorted(ticked):
        lines += state.options[i].config
    return crlf(lines)


def component_lines(names):
    """The framed lines naming the components, wrapped as the banner does it."""
    out, line = [], "ECHO º "
    for n in names:
        if len(line) + len(n) < 74:
            line = line + ", " + n if len(line) > 7 else line + n
        else:
            out.append(line + "," + " " * (82 - len(line)) + "º")
            line = "ECHO º " + n
    out.append(line + " " * (83 - len(line)) + "º")
    return out


def framed(text, left):
    return "ECHO º" + " " * left + text + " " * (77 - left - len(text)) + "º"


def autoexec_bat(state, ticked, windows_dir=WINDOWS_DIR):
    ticked = sorted(ticked)
    empty = framed("", 0)
    lines = ["@ECHO OFF"]
    for i in ticked:
        lines += state.options[i].autoexec
    lines += ["ECHO.", "ECHO É" + "Í" * 77 + "»",
              framed("Die Eingabeaufforderung wurde gestartet mit folgenden Komponenten:", 1), empty]
    lines += component_lines([state.options[i].name for i in ticked])
    lines += [empty, framed("Um die alten Startdateien wiederherzustellen", 16),
              framed("und neu zu starten, tippen Sie bitte EXIT ein.", 16), "ECHO È" + "Í" * 77 + "¼",
              windows_dir + "\\COMMAND.COM", windows_dir + "\\WIN.COM /WX"]
    assert all(len(x) == 84 for x in lines if x.startswith("ECHO º") or x.startswith("ECHO É")
               or x.startswith("ECHO È")), "banner lines must be 84 characters"
    return crlf(lines)


# A table as people fill it: gaps, umlauts, several lines, an option without lines.
OPTIONS = (
    Option("Maus", ("DEVICE=C:\\DOS\\MOUSE.SYS",), ("C:\\DOS\\MOUSE.COM /Y",)),
    Option("CD-ROM", ("DEVICEHIGH=C:\\CDROM\\ATAPI.SYS /D:MSCD001",),
           ("LH C:\\WINDOWS\\COMMAND\\MSCDEX.EXE /D:MSCD001",)),
    Option("Speicher", ("DEVICE=C:\\WINDOWS\\HIMEM.SYS", "DEVICE=C:\\WINDOWS\\EMM386.EXE NOEMS", "DOS=HIGH,UMB")),
    Option("Tastatur deutsch", ("COUNTRY=049,850,C:\\WINDOWS\\COMMAND\\COUNTRY.SYS",),
           ("KEYB GR,,C:\\WINDOWS\\COMMAND\\KEYBOARD.SYS", "MODE CON CODEPAGE SELECT=850")),
    Option("Smartdrive", (), ("C:\\WINDOWS\\SMARTDRV.EXE 2048",)),
    Option(),
    Option("Spiele (Sound Blaster)", (), ("SET BLASTER=A220 I5 D1 H5 P330 T6",)),
    Option("Netzwerk mit Client für DOS", ("LASTDRIVE=Z",), ("C:\\NET\\NET START",)),
    Option(),
    Option("Größe ändern", ("REM Umlaute äöüß",), ("ECHO Grüße",)),
    Option("Letzte"),
)

SEEDED = State(OPTIONS, flags=(-1, -1, 0, 0), konfig=("", "C:\\Velkor\\Spiele.vkf") + ("",) * 7)
SPIELE_VKF = b"06,09\r\n"

# The user's own start files, and leftovers of an earlier restart.
START_FILES = {
    "C:\\Config.sys": b"DEVICE=C:\\WINDOWS\\HIMEM.SYS\r\nFILES=40\r\nBUFFERS=30\r\n",
    "C:\\Autoexec.bat": b"@ECHO OFF\r\nPROMPT $p$g\r\nPATH C:\\WINDOWS;C:\\WINDOWS\\COMMAND\r\n",
    "C:\\Config.wos": b"REM eine alte Sicherung\r\n",
    "C:\\Autoexec.wos": b"REM eine alte Sicherung von Autoexec.bat\r\n",
    "C:\\Config.app": b"REM von einem anderen Programm\r\n",
    "C:\\Autoexec.app": b"REM auch von einem anderen Programm\r\n",
}
