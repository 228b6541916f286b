# The end-to-end rig: per test an Xvfb display, a copy of a booted Wine prefix
# with a virtual desktop, and vkdrive inside that Wine session; drive C: is read
# and written from Linux. A scenario fails by raising Failed with a reason.
import fcntl, os, select, shutil, subprocess, time, traceback  # noqa: E401
from pathlib import Path
from types import SimpleNamespace

WINE_ENV = {"WINEDEBUG": "-all", "WINEDLLOVERRIDES": "mscoree,mshtml=", "LC_ALL": "de_DE.UTF-8"}
DESKTOP, MS = (1024, 768), 10000  # MS: how long the program may take for one step
BM_CLICK, WM_COMMAND, WM_SYSCOMMAND, SC_CLOSE, SC_MINIMIZE = 0x00F5, 0x0111, 0x0112, 0xF060, 0xF020
WM_QUERYENDSESSION, WS_MINIMIZE = 0x0011, 0x20000000
IDOK, IDCANCEL, IDRETRY, IDYES, IDNO = 1, 2, 4, 6, 7
TAB, RETURN, ESCAPE, ALT = "0x09", "0x0d", "0x1b", "0x12"  # virtual keys
ANSWERS = {IDOK: "OK", IDCANCEL: "Cancel", IDRETRY: "Retry", IDYES: "Yes", IDNO: "No"}
SCENARIOS = {}


def scenario(*versions):
    # A story, one test as Wine reports itself (Windows 7) and one named "<story>_<version>" for each Windows
    # version given ("win98", "win95"), which Velkor is then told it runs on.
    def add(func):
        SCENARIOS.update({func.__name__: (func, None), **{f"{func.__name__}_{v}": (func, v) for v in versions}})
        return func
    return add


class Failed(Exception):
    pass


def expect(condition, reason):
    if not condition:
        raise Failed(reason)


def expect_equal(actual, expected, what):
    if isinstance(actual, bytes) and isinstance(expected, bytes) and actual != expected:
        got, want = actual.split(b"\n") + [b"(end)"], expected.split(b"\n") + [b"(end)"]
        n = next(i for i, (g, w) in enumerate(zip(got, want)) if g != w)
        what, actual, expected = f"{what}, line {n + 1}", got[n], want[n]
    expect(actual == expected, f"{what}: got {actual!r}, expected {expected!r}")


def poll(check, what, seconds=MS / 1000):
    deadline = time.monotonic() + seconds
    while not (found := check()):
        expect(time.monotonic() < deadline, f"waited {seconds:.0f} s for {what}")
        time.sleep(0.05)
    return found


def retried(action, check, what, times=5):
    # Does `action` until `check` holds, a few times at most: now and then a menu misses its key or click.
    for attempt in range(times):
        action()
        try:
            return poll(check, what, 2)
        except Failed:
            expect(attempt < times - 1, f"waited {times} times for {what}")


def may_reboot(action):
    # The reboot may take vkdrive down before it answers.
    try:
        return action()
    except Failed:
        return "ended"


class Driver:
    # vkdrive's protocol: a line of fields each way, each field "x" and the hex of its cp1252 bytes.
    def __init__(self, args, **popen):
        self.proc = subprocess.Popen(args, stdin=subprocess.PIPE, stdout=subprocess.PIPE, **popen)

    def __call__(self, *fields, timeout=60):
        try:
            self.proc.stdin.write(b" ".join(b"x" + str(f).encode("cp1252").hex().encode() for f in fields) + b"\n")
            self.proc.stdin.flush()
            ready = select.select([self.proc.stdout], [], [], timeout)[0]
            status, *out = ready and self.proc.stdout.readline().split() or [b"gone"]
        except BrokenPipeError:
            status, out = b"gone", []
        expect(status != b"gone", f"vkdrive gave no answer to {fields[0]} (did the Wine session end?)")
        out = [bytes.fromhex(f[1:].decode()).decode("cp1252", "surrogateescape") for f in out]
        expect(status == b"ok", f"{' '.join(map(str, fields))}: {out[0] if out else ''}")
        return out


class Window:
    def __init__(self, session, hwnd, title=""):
        self.s, self.hwnd, self.title = session, hwnd, title

    def act(self, msg, wparam=0, control=0):
        # Waits until the program has dealt with it: "done", "modal" (it waits on
        # a window of its own), "closed" or "ended".
        return self.s.drive("act", self.hwnd, control, msg, wparam, 0, MS)[0]

    def click(self, control):
        return self.act(BM_CLICK, control=control)

    def close_box(self):
        return self.act(WM_SYSCOMMAND, SC_CLOSE)

    def type(self, control, text):
        self.s.drive("set", self.hwnd, control, text.replace("\n", "\r\n"))

    def get(self, control=0):
        f = self.s.drive("get", self.hwnd, control)
        n = [int(v) for v in f[2:]]
        return SimpleNamespace(text=f[0], cls=f[1], checked=n[0], style=n[1], visible=n[2], front=n[4], rect=n[5:9],
                               client=n[9:13])

    def sync(self):
        return self.s.drive("sync", self.hwnd, MS)[0]

    def gone(self):
        poll(lambda: self.s.drive("alive", self.hwnd)[0] == "no", f'"{self.title}" to close')

    def children(self):
        return listed(self.s.drive("list", self.hwnd))

    def press(self, button, main, then=None):
        # How `main` stands once the program has gone on past this window (`then` if given).
        self.click(button)
        self.gone()
        outcome = main.sync()
        expect(then in (None, outcome), f'after {ANSWERS.get(button, button)} in "{self.title}": {outcome}, expected {then}')
        return outcome


def listed(f):
    return [SimpleNamespace(hwnd=f[i], id=int(f[i + 1]), cls=f[i + 2], text=f[i + 3], style=int(f[i + 4]),
                            visible=f[i + 5] == "1") for i in range(0, len(f), 6)]


class Session:
    def __init__(self, name, build, driver, velkor, version=None):
        self.name, self.build, self.driver, self.velkor, self.version = name, build, driver, velkor, version
        self.work = build / "e2e-work" / name
        self.drive_c, self.end_file, self.env = self.work / "prefix" / "drive_c", self.work / "end.txt", None

    def __enter__(self):
        shutil.rmtree(self.work, ignore_errors=True)
        self.work.mkdir(parents=True)
        # A plain copy of the 700 MB takes a fraction of a second and shares nothing with the template.
        subprocess.run(["cp", "-a", ensure_template(self.build / "e2e-work"), self.work / "prefix"], check=True)
        self.xvfb, self.display = start_xvfb()
        self.env = wine_env(self.build / "e2e-work", self.work / "prefix", DISPLAY=f":{self.display}")
        if self.version:
            # Told Velkor.exe alone, not the whole prefix: vkdrive, the task bar, the shell and notepad stay as
            # in the other stories, so that what differs is Velkor's 9x paths; Wine keeps Velkor's token, in
            # which vkdrive sees whether the shutdown privilege was enabled, whatever the version.
            # Written into the prefix's registry file while Wine is down: "wine reg add" takes seconds.
            with open(self.work / "prefix" / "user.reg", "a", encoding="ascii") as reg:
                reg.write(f'\n[Software\\\\Wine\\\\AppDefaults\\\\Velkor.exe]\n"Version"="{self.version}"\n')
        self.drive = Driver(["wine", self.driver, "Z:" + str(self.end_file).replace("/", "\\")], env=self.env,
                            cwd=self.work, stderr=open(self.work / "wine.log", "wb"))
        self.drive("ping")
        return self

    def __exit__(self, failure, *_):
        if failure:  # a last look at the screen; the prefix stays
            self.shot("failure")
        self.end()
        self.xvfb.terminate()
        if not failure:
            shutil.rmtree(self.work / "prefix", ignore_errors=True)

    def end(self):
        # Ends the Wine session; the files on drive C: are final afterwards.
        for args in (["wineserver", "-k"], ["wineserver", "-w"]) if self.env else ():
            subprocess.run(args, env=self.env, stderr=subprocess.DEVNULL)
        self.env = None

    def shot(self, step):
        if self.env:
            subprocess.run(["import", "-display", f":{self.display}", "-window", "root",
                            self.build / "e2e-screens" / f"{self.name}-{step}.png"], stderr=subprocess.DEVNULL)

    def path(self, win_path):
        return self.drive_c.joinpath(*win_path[3:].split("\\"))

    def put(self, files, read_only=()):
        for win_path, data in files.items():
            self.path(win_path).parent.mkdir(parents=True, exist_ok=True)
            self.path(win_path).write_bytes(data)
            self.path(win_path).chmod(0o444 if win_path in read_only else 0o644)  # Wine: no write bit = read-only

    def expect_files(self, files, why):
        # Each file holds these bytes, or is missing where they are None.
        for win_path, expected in files.items():
            p = self.path(win_path)
            expect_equal(p.read_bytes() if p.is_file() else None, expected, f"{win_path} ({why})")

    def start(self, exe, title):
        # Puts the program at `exe`, starts it in its folder and waits for its window.
        self.put({exe: self.velkor.read_bytes()})
        self.drive("start", f'"{exe}"', exe[:exe.rindex("\\")] or "C:\\")
        return self.window(title)

    def window(self, title, cls=""):
        found = poll(lambda: [w for w in listed(self.drive("list")) if w.text == title and cls in ("", w.cls)],
                     f'window "{title}"')
        return Window(self, found[0].hwnd, title)

    def box(self, title, buttons, saying=""):
        # A message box; Wine shows its text in the static control of ID 0xFFFF.
        def find():
            for w in listed(self.drive("list")):
                kids = Window(self, w.hwnd).children() if w.cls == "#32770" else []
                if any(k.id == 0xFFFF and k.cls == "Static" for k in kids):
                    return w, "".join(k.text for k in kids if k.id == 0xFFFF), [k.id for k in kids if k.cls == "Button"
                                                                                and k.visible]
        w, text, got = poll(find, f'message box "{title}"')
        self.shot(f"box-{title}")
        expect((w.text, got) == (title, buttons) and saying in text, f'message box "{w.text}" with buttons {got} '
               f'saying {text!r}; expected "{title}" with buttons {buttons}' + (f" saying {saying!r}" * bool(saying)))
        return Window(self, w.hwnd, title)

    def keys(self, *keys):
        # Letters and digits are their own virtual keys; "+" holds a key, "-" lets it go.
        self.drive("keys", *(ord(k.upper()) if len(k) == 1 else k for k in keys))

    def right_click_icon(self):
        # Wine 8 draws the notification icons in the task bar along the desktop's
        # bottom, in 20-pixel slots from its right end; the only icon is rightmost.
        self.drive("rclick", DESKTOP[0] - 10, DESKTOP[1] - 10)

    def menu_open(self):
        try:
            return any(w.cls == "#32768" for w in listed(self.drive("list")))
        except Failed:  # vkdrive went down with the session: a restart was chosen
            return False

    def menu_from_icon(self, key):
        # A real right-click on the icon (the task bar may show a new icon a moment late), then an item of its
        # menu by its access key.
        retried(self.right_click_icon, self.menu_open, "the icon's menu")
        self.shot(f"icon-menu-{key}")
        retried(lambda: self.keys(key), lambda: not self.menu_open(), f"{key} to close the icon's menu")

    def file_dialog(self, title, path):
        # A standard open or save dialog: the full path into its file-name box, then its OK button.
        dialog = self.window(title, "#32770")
        name = poll(lambda: [k for k in dialog.children() if k.cls == "Edit" and k.id == 0x47C], "the file-name box")
        self.drive("set", name[0].hwnd, 0, path)
        return dialog.click(IDOK)

    def expect_alone(self, main, why):
        main.sync()
        others = [f'"{w.text}" ({w.cls})' for w in listed(self.drive("list")) if w.hwnd != main.hwnd]
        expect(not others, f"{why}: windows open besides the main window: {', '.join(others)}")

    def expect_ended(self, why):
        code = poll(lambda: self.drive("status")[0] != "running" and self.drive("status")[0], f"the end ({why})")
        expect(code == "0", f"the program ended with exit code {code} ({why})")

    def expect_reboot(self):
        # The notes of vkdrive's hidden window; then the session has gone down and drive C: is final.
        notes = poll(lambda: "endsession\n" in (self.end_file.exists() and self.end_file.read_text() or "") and
                     self.end_file.read_text(), "a reboot: WM_QUERYENDSESSION and WM_ENDSESSION at vkdrive", 30)
        # NT refuses a reboot without the shutdown privilege; Windows 9x has none to ask for.
        privileged = "privilege" in notes
        expect(privileged != bool(self.version), f"the reboot was asked for on {self.version or 'NT'} " +
               ("with" if privileged else "without") + " the shutdown privilege enabled")
        self.end()


def start_xvfb():
    # An Xvfb on a display it picks itself; it writes the number once it takes clients.
    xvfb = subprocess.Popen(["Xvfb", "-screen", "0", "%dx%dx24" % DESKTOP, "-nolisten", "tcp", "-displayfd", "1"],
                            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    number = xvfb.stdout.readline().strip()
    expect(number.isdigit(), "Xvfb did not start")
    return xvfb, int(number)


def wine_env(workdir, prefix, **more):
    # Wine in German, as Velkor's users have it ("&Ja", "Abbrechen", German file
    # dialogs), from the locale ensure_template compiles into the work folder.
    return dict(os.environ, **WINE_ENV, LOCPATH=str(workdir / "locale"), WINEPREFIX=str(prefix), **more)


def stamp():
    # What a prefix is booted for. One booted before Wine's 32-bit half was
    # installed cannot run the shipped program.
    return subprocess.run(["wine", "--version"], capture_output=True, text=True).stdout + " ".join(
        sorted(p.name for p in Path("/usr/lib/wine").glob("*-windows"))) + " " + WINE_ENV["LC_ALL"]


def ensure_template(workdir):
    # A booted prefix whose programs share a 1024x768 desktop named "shell"
    # (frames, task bar), made once per build folder; parallel tests wait for it.
    workdir.mkdir(parents=True, exist_ok=True)
    template, fresh, ready = workdir / "template", workdir / "template.new", workdir / "template" / ".e2e-ready"
    with open(workdir / "template.lock", "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        if ready.is_file() and ready.read_text() == stamp():
            return template
        shutil.rmtree(fresh, ignore_errors=True)
        (workdir / "locale").mkdir(exist_ok=True)
        subprocess.run(["localedef", "-i", "de_DE", "-f", "UTF-8", workdir / "locale" / WINE_ENV["LC_ALL"]], check=True)
        env = {k: v for k, v in wine_env(workdir, fresh).items() if k != "DISPLAY"}
        explorer = ["wine", "reg", "add", "HKCU\\Software\\Wine\\Explorer"]
        for args in (["wineboot", "-i"], [*explorer, "/v", "Desktop", "/d", "shell", "/f"],
                     [*explorer[:-1], explorer[-1] + "\\Desktops", "/v", "shell", "/d", "%dx%d" % DESKTOP, "/f"],
                     ["wineserver", "-w"]):
            subprocess.run(args, env=env, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # Wine does not find its own TrueType fonts here; without Marlett the
        # caption buttons show as letters in the screenshots.
        for f in Path("/usr/share/wine/fonts").glob("*"):
            shutil.copy2(f, fresh / "drive_c" / "windows" / "Fonts" / f.name)
        (fresh / ".e2e-ready").write_text(stamp())
        shutil.rmtree(template, ignore_errors=True)
        fresh.rename(template)
        return template


def main(args):
    # scenarios.py --list, or scenarios.py <scenario> <build folder> <vkdrive.exe> <Velkor.exe>.
    # Exit status: 0 passed, 1 failed, 77 skipped (Wine or the tools around it missing, or Velkor.exe not built).
    if args == ["--list"]:
        return print("\n".join(SCENARIOS))
    name, build, driver, velkor = args
    missing = [t for t in ("wine", "wineserver", "Xvfb", "import", "localedef") if not shutil.which(t)]
    if missing or not Path(velkor).is_file():
        return print(f"SKIPPED {name}: missing {', '.join(missing) or velkor or 'Velkor.exe'}") or 77
    t0, build = time.monotonic(), Path(build).resolve()
    (build / "e2e-screens").mkdir(parents=True, exist_ok=True)
    story, version = SCENARIOS[name]
    session = Session(name, build, Path(driver).resolve(), Path(velkor).resolve(), version)
    try:
        with session:
            story(session)
    except Failed as e:
        return print(f"FAILED {name}: {e}\n  (screenshots: {build / 'e2e-screens'}; files: {session.drive_c})") or 1
    except Exception:
        return traceback.print_exc() or print(f"FAILED {name}: the rig itself broke") or 1
    print(f"PASSED {name} in {time.monotonic() - t0:.1f} s")
