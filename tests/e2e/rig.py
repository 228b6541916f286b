# The end-to-end rig: per test an Xvfb display, a copy of a booted Wine prefix
# with a virtual desktop, and vkdrive inside that Wine session; drive C: is read
# and written from Linux. A scenario fails by raising Failed with a reason.
import fcntl, os, queue, shutil, subprocess, threading, time  # noqa: E401
from pathlib import Path
from types import SimpleNamespace

WINE_ENV = {"WINEDEBUG": "-all", "WINEDLLOVERRIDES": "mscoree,mshtml=", "LC_ALL": "C.UTF-8"}
DESKTOP, MS = (1024, 768), 10000  # MS: how long the program may take for one step
BM_CLICK, WM_COMMAND, WM_SYSCOMMAND, SC_CLOSE = 0x00F5, 0x0111, 0x0112, 0xF060
IDOK, IDCANCEL, IDYES, IDNO = 1, 2, 6, 7
SCENARIOS = {}


def scenario(func):
    return SCENARIOS.setdefault(func.__name__, func)


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


class Driver:
    # vkdrive's protocol: a line of fields each way, each field "x" and the hex of its cp1252 bytes.
    def __init__(self, args, **popen):
        self.proc = subprocess.Popen(args, stdin=subprocess.PIPE, stdout=subprocess.PIPE, **popen)
        self.lines = queue.Queue()
        threading.Thread(target=lambda: [*map(self.lines.put, self.proc.stdout), self.lines.put(b"")],
                         daemon=True).start()

    def __call__(self, *fields, timeout=60):
        try:
            self.proc.stdin.write(b" ".join(b"x" + str(f).encode("cp1252").hex().encode() for f in fields) + b"\n")
            self.proc.stdin.flush()
            status, *out = self.lines.get(timeout=timeout).split() or [b"gone"]
        except (BrokenPipeError, queue.Empty):
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
        self.s.drive("type", self.hwnd, control, text, "replace")

    def get(self, control=0):
        f = self.s.drive("get", self.hwnd, control)
        n = [int(v) for v in f[2:]]
        return SimpleNamespace(text=f[0], cls=f[1], checked=n[0], style=n[1], visible=n[2], rect=n[4:8],
                               client=n[8:12])

    def sync(self):
        return self.s.drive("sync", self.hwnd, MS)[0]

    def gone(self):
        poll(lambda: self.s.drive("alive", self.hwnd)[0] == "no", f'"{self.title}" to close')

    def children(self):
        f = self.s.drive("list", self.hwnd)
        return [SimpleNamespace(hwnd=f[i], id=int(f[i + 1]), cls=f[i + 2], text=f[i + 3], style=int(f[i + 4]),
                                visible=f[i + 5] == "1") for i in range(0, len(f), 6)]


class Box:
    # A message box; Wine shows its text in the static control of ID 0xFFFF.
    def __init__(self, window):
        kids = window.children()
        self.window, self.title = window, window.title
        self.text = "".join(k.text for k in kids if k.cls == "Static" and k.id == 0xFFFF)
        self.buttons = [k.id for k in kids if k.cls == "Button" and k.visible]

    def expect(self, title, buttons, saying=""):
        expect((self.title, self.buttons) == (title, buttons) and saying in self.text,
               f'message box "{self.title}" with buttons {self.buttons} saying {self.text!r}; expected "{title}" '
               f"with buttons {buttons}" + (f" saying {saying!r}" if saying else ""))
        return self

    def press(self, button, main):
        # Returns how the main window stands once the program has gone on past the box.
        self.window.click(button)
        self.window.gone()
        return main.sync()


class Session:
    def __init__(self, name, build, driver, velkor):
        self.name, self.build, self.driver, self.velkor = name, build, driver, velkor
        self.work = build / "e2e-work" / name
        self.drive_c, self.end_file, self.env = self.work / "prefix" / "drive_c", self.work / "end.txt", None

    def __enter__(self):
        shutil.rmtree(self.work, ignore_errors=True)
        self.work.mkdir(parents=True)
        # A plain copy of the 700 MB takes a fraction of a second and shares nothing with the template.
        subprocess.run(["cp", "-a", ensure_template(self.build / "e2e-work"), self.work / "prefix"], check=True)
        self.xvfb, self.display = start_xvfb()
        self.env = dict(os.environ, **WINE_ENV, WINEPREFIX=str(self.work / "prefix"), DISPLAY=f":{self.display}")
        self.drive = Driver(["wine", self.driver, "Z:" + str(self.end_file).replace("/", "\\")], env=self.env,
                            cwd=self.work, stderr=open(self.work / "wine.log", "wb"))
        self.drive("ping")
        return self

    def __exit__(self, failure, *_):
        if failure:  # a last look at the screen, and the small files of drive C: stay
            self.shot("failure")
            for p in [*self.drive_c.glob("*.*"), *self.drive_c.glob("Velkor/*")]:
                (self.work / "after" / p.relative_to(self.drive_c)).parent.mkdir(parents=True, exist_ok=True)
                shutil.copy2(p, self.work / "after" / p.relative_to(self.drive_c))
        self.end()
        self.xvfb.terminate()
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

    def path(self, win_path):  # names match without regard to case, as on Windows
        p = self.drive_c
        for part in win_path[3:].split("\\"):
            p = next((c for c in p.iterdir() if c.name.lower() == part.lower()), p / part) if p.is_dir() else p / part
        return p

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

    def windows(self):
        f = self.drive("list")
        return [(f[i], f[i + 2], f[i + 3]) for i in range(0, len(f), 6)]

    def window(self, title):
        return Window(self, poll(lambda: [h for h, _, t in self.windows() if t == title], f'window "{title}"')[0],
                      title)

    def message_box(self):
        box = poll(lambda: [Box(Window(self, h, t)) for h, c, t in self.windows() if c == "#32770" and any(
            k.id == 0xFFFF and k.cls == "Static" for k in Window(self, h).children())], "a message box")[0]
        self.shot(f"box-{box.title}")
        return box

    def expect_alone(self, main, why):
        main.sync()
        others = [f'"{t}" ({c})' for h, c, t in self.windows() if h != main.hwnd]
        expect(not others, f"{why}: windows open besides the main window: {', '.join(others)}")

    def expect_ended(self, why):
        code = poll(lambda: self.drive("status")[0] != "running" and self.drive("status")[0], f"the end ({why})")
        expect(code == "0", f"the program ended with exit code {code} ({why})")

    def expect_reboot(self):
        # The notes of vkdrive's hidden window; then the session has gone down and drive C: is final.
        poll(lambda: "endsession\n" in (self.end_file.exists() and self.end_file.read_text() or ""),
             "a reboot: WM_QUERYENDSESSION and WM_ENDSESSION at vkdrive", 30)
        self.end()


def start_xvfb():
    # An Xvfb on a display it picks itself; it writes the number once it takes clients.
    r, w = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-screen", "0", f"{DESKTOP[0]}x{DESKTOP[1]}x24", "-nolisten", "tcp",
                             "-displayfd", str(w)], pass_fds=(w,), stderr=subprocess.DEVNULL)
    os.close(w)
    with os.fdopen(r) as ready:
        number = ready.readline().strip()
    expect(number.isdigit(), "Xvfb did not start")
    return xvfb, int(number)


def ensure_template(workdir):
    # A booted prefix whose programs share a 1024x768 desktop named "shell"
    # (frames, task bar), made once per build folder; parallel tests wait for it.
    workdir.mkdir(parents=True, exist_ok=True)
    template, fresh, ready = workdir / "template", workdir / "template.new", workdir / "template" / ".e2e-ready"
    version = subprocess.run(["wine", "--version"], capture_output=True, text=True).stdout
    with open(workdir / "template.lock", "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        if ready.is_file() and ready.read_text() == version:
            return template
        shutil.rmtree(fresh, ignore_errors=True)
        env = {k: v for k, v in dict(os.environ, **WINE_ENV, WINEPREFIX=str(fresh)).items() if k != "DISPLAY"}
        explorer = ["wine", "reg", "add", "HKCU\\Software\\Wine\\Explorer"]
        for args in (["wineboot", "-i"], [*explorer, "/v", "Desktop", "/d", "shell", "/f"],
                     [*explorer[:-1], explorer[-1] + "\\Desktops", "/v", "shell", "/d", "%dx%d" % DESKTOP, "/f"],
                     ["wineserver", "-w"]):
            subprocess.run(args, env=env, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # Wine does not find its own TrueType fonts here; without Marlett the
        # caption buttons show as letters in the screenshots.
        for f in Path("/usr/share/wine/fonts").glob("*"):
            shutil.copy2(f, fresh / "drive_c" / "windows" / "Fonts" / f.name)
        (fresh / ".e2e-ready").write_text(version)
        shutil.rmtree(template, ignore_errors=True)
        fresh.rename(template)
        return template
