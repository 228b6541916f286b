// vkdrive: works the program under test the way a person would, from inside the
// same Wine session. Commands come one per line on stdin, fields separated by
// tabs; each gets exactly one answer line on stdout: "ok<TAB>fields..." or
// "err<TAB>reason". Tab, CR, LF and backslash inside a field are escaped as
// \t \r \n \\. Text is Windows ANSI (cp1252) bytes, as the A functions use it.
//
// Every wait polls with a time-out. A message sent to another thread overtakes
// the messages posted to it, so an action is sent (SendMessageCallback, queued
// in order with later sends) and then a WM_NULL is sent behind it: when that
// returns, the program has finished the action or sits in a modal loop.
//
// A reboot asked for by the program ends this process too, after
// WM_QUERYENDSESSION and WM_ENDSESSION reach our hidden window; the window
// notes both in the file named on our command line before we are killed.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string gEndFile;
std::atomic<bool> gQueryEnd{false};
HWND gEndWindow = nullptr;
std::vector<PROCESS_INFORMATION> gApps;

// --- line protocol ---------------------------------------------------------

std::string escape(const std::string& s) {
    std::string out;
    for (char c : s) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\n':
                out += "\\n";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string unescape(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 == s.size()) {
            out += s[i];
            continue;
        }
        char c = s[++i];
        out += c == 't' ? '\t' : c == 'r' ? '\r' : c == 'n' ? '\n' : c;
    }
    return out;
}

std::vector<std::string> split(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        std::size_t tab = line.find('\t', start);
        fields.push_back(unescape(line.substr(start, tab - start)));
        if (tab == std::string::npos) return fields;
        start = tab + 1;
    }
}

void writeOut(const std::string& s) {
    DWORD written;
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    WriteFile(out, s.data(), static_cast<DWORD>(s.size()), &written, nullptr);
    FlushFileBuffers(out);
}

std::string answer(const std::vector<std::string>& fields) {
    std::string line = "ok";
    for (const std::string& f : fields) line += "\t" + escape(f);
    return line;
}

bool readLine(std::string& line) {
    line.clear();
    HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    for (;;) {
        char c;
        DWORD got = 0;
        if (!ReadFile(in, &c, 1, &got, nullptr) || got == 0) return !line.empty();
        if (c == '\n') return true;
        if (c != '\r') line += c;
    }
}

struct Failure {
    std::string reason;
};

[[noreturn]] void fail(const std::string& reason) {
    throw Failure{reason};
}

// --- helpers ----------------------------------------------------------------

std::string hex(HWND h) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%llx",
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(h)));
    return buf;
}

HWND parseHwnd(const std::string& s) {
    return reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::strtoull(s.c_str(), nullptr, 16)));
}

long number(const std::string& s) {
    return std::strtol(s.c_str(), nullptr, 0);
}

void pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

void pause(DWORD ms) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, ms, QS_ALLINPUT);
    pump();
}

bool isApp(HWND h) {
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    for (const PROCESS_INFORMATION& p : gApps)
        if (p.dwProcessId == pid) return true;
    return false;
}

bool appRunning() {
    for (const PROCESS_INFORMATION& p : gApps)
        if (WaitForSingleObject(p.hProcess, 0) == WAIT_TIMEOUT) return true;
    return false;
}

std::string className(HWND h) {
    char buf[256] = "";
    GetClassNameA(h, buf, sizeof buf);
    return buf;
}

// Another process's window text has to be asked for with WM_GETTEXT.
std::string textOf(HWND h) {
    DWORD_PTR len = 0;
    if (!SendMessageTimeoutA(h, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 5000, &len))
        fail("no answer to WM_GETTEXTLENGTH");
    std::string buf(len + 1, '\0');
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutA(h, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()),
                             SMTO_NORMAL, 5000, &got))
        fail("no answer to WM_GETTEXT");
    buf.resize(std::min<std::size_t>(got, len));
    return buf;
}

HWND control(HWND top, const std::string& id) {
    if (!IsWindow(top)) fail("window " + hex(top) + " does not exist");
    long n = number(id);
    if (n == 0) return top;
    HWND c = GetDlgItem(top, static_cast<int>(n));
    if (!c) fail("window " + hex(top) + " has no control " + id);
    return c;
}

std::vector<HWND> appWindows() {
    std::vector<HWND> found;
    EnumWindows(
        [](HWND h, LPARAM p) -> BOOL {
            if (IsWindowVisible(h) && isApp(h))
                reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// A message box is a dialog whose text sits in a static control of its own.
HWND messageText(HWND box) {
    if (className(box) != "#32770") return nullptr;
    HWND found = nullptr;
    for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (className(c) == "Static" && (GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK) != SS_ICON &&
            (GetDlgCtrlID(c) & 0xFFFF) == 0xFFFF)
            found = c;
    }
    return found;
}

// --- commands -----------------------------------------------------------------

using Fields = std::vector<std::string>;

// start <command line> <folder>: the program runs in its own folder, as from
// a double click in Explorer.
Fields cmdStart(const Fields& f) {
    if (f.size() < 3) fail("start <command line> <folder>");
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string cmd = f[1];
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        f[2].empty() ? nullptr : f[2].c_str(), &si, &pi))
        fail("CreateProcess failed with error " + std::to_string(GetLastError()));
    gApps.push_back(pi);
    return {std::to_string(pi.dwProcessId)};
}

// window <title> <class> <ms>: a visible top-level window of the program;
// an empty title or class matches any.
Fields cmdWindow(const Fields& f) {
    if (f.size() < 4) fail("window <title> <class> <ms>");
    DWORD until = GetTickCount() + number(f[3]);
    do {
        for (HWND h : appWindows()) {
            if (!f[2].empty() && className(h) != f[2]) continue;
            try {
                if (!f[1].empty() && textOf(h) != f[1]) continue;
            } catch (const Failure&) {
                continue;  // went away while we looked
            }
            return {hex(h)};
        }
        if (!appRunning()) fail("the program has ended");
        pause(20);
    } while (static_cast<LONG>(until - GetTickCount()) > 0);
    fail("no window \"" + f[1] + "\" of class \"" + f[2] + "\" within " + f[3] + " ms");
}

// windows: every visible top-level window of the program as hwnd, class, title.
Fields cmdWindows(const Fields&) {
    Fields out;
    for (HWND h : appWindows()) {
        out.push_back(hex(h));
        out.push_back(className(h));
        out.push_back(textOf(h));
    }
    return out;
}

// box <ms>: the message box in front: hwnd, title, text, then id=caption per button.
Fields cmdBox(const Fields& f) {
    if (f.size() < 2) fail("box <ms>");
    DWORD until = GetTickCount() + number(f[1]);
    do {
        for (HWND h : appWindows()) {
            HWND text = messageText(h);
            if (!text) continue;
            Fields out{hex(h), textOf(h), textOf(text)};
            for (HWND c = GetWindow(h, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
                if (className(c) == "Button" && IsWindowVisible(c))
                    out.push_back(std::to_string(GetDlgCtrlID(c)) + "=" + textOf(c));
            return out;
        }
        if (!appRunning()) fail("the program has ended");
        pause(20);
    } while (static_cast<LONG>(until - GetTickCount()) > 0);
    fail("no message box within " + f[1] + " ms");
}

// gone <hwnd> <ms> [hidden]: waits until the window is destroyed (or only
// hidden). A dialog is hidden and its owner enabled again before its modal
// loop ends, so only "destroyed" means the program has gone on past it.
Fields cmdGone(const Fields& f) {
    if (f.size() < 3) fail("gone <hwnd> <ms> [hidden]");
    HWND h = parseHwnd(f[1]);
    bool hiddenIsEnough = f.size() > 3 && f[3] == "hidden";
    DWORD until = GetTickCount() + number(f[2]);
    while (IsWindow(h) && (!hiddenIsEnough || IsWindowVisible(h))) {
        if (static_cast<LONG>(until - GetTickCount()) <= 0) fail("window " + f[1] + " still there");
        pause(10);
    }
    return {IsWindow(h) ? "hidden" : "destroyed"};
}

// The reply to a SendMessageCallback: the action's handler has returned.
void CALLBACK replied(HWND, UINT, ULONG_PTR done, LRESULT) {
    *reinterpret_cast<bool*>(done) = true;
}

// Waits until the thread of `h` reads its messages again: "done", "modal"
// (the action still runs, or `h` waits for a window of the program's own),
// "ended" (the program ended) or "closed" (`h` went away, the program runs on).
std::string settle(HWND h, const bool* done, DWORD ms) {
    DWORD_PTR r;
    BOOL answered = SendMessageTimeoutA(h, WM_NULL, 0, 0, SMTO_NORMAL, ms, &r);
    pump();
    if (!answered) {
        if (!appRunning()) return "ended";
        if (!IsWindow(h)) return "closed";
        fail("the program did not answer within " + std::to_string(ms) + " ms");
    }
    // A window destroyed by the action still answers; its reply may be late.
    if (!IsWindow(h)) return appRunning() ? "closed" : "ended";
    // A modal loop that waits for posted input would not notice a sent click.
    PostMessageA(h, WM_NULL, 0, 0);
    // A window of its own that the program waits for disables `h`.
    if (done && !*done) return "modal";
    return IsWindowEnabled(h) ? "done" : "modal";
}

// act <hwnd> <control id or 0> <message> <wparam> <lparam> [ms]
Fields cmdAct(const Fields& f) {
    if (f.size() < 6) fail("act <hwnd> <id> <msg> <wparam> <lparam> [ms]");
    HWND top = parseHwnd(f[1]);
    HWND target = control(top, f[2]);
    DWORD ms = f.size() > 6 ? number(f[6]) : 10000;
    // The reply may come long after we answered (a modal action): each action
    // gets a flag of its own, kept for the life of the process.
    bool* done = new bool(false);
    if (!SendMessageCallbackA(target, static_cast<UINT>(number(f[3])),
                              static_cast<WPARAM>(std::strtoull(f[4].c_str(), nullptr, 0)),
                              static_cast<LPARAM>(std::strtoll(f[5].c_str(), nullptr, 0)), replied,
                              reinterpret_cast<ULONG_PTR>(done)))
        fail("SendMessageCallback failed with error " + std::to_string(GetLastError()));
    return {settle(top, done, ms)};
}

// sync <hwnd> [ms]: waits until the window's thread reads its messages.
Fields cmdSync(const Fields& f) {
    if (f.size() < 2) fail("sync <hwnd> [ms]");
    return {settle(parseHwnd(f[1]), nullptr, f.size() > 2 ? number(f[2]) : 10000)};
}

DWORD caret(HWND edit) {
    DWORD start = 0, end = 0;
    DWORD_PTR r;
    if (!SendMessageTimeoutA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                             reinterpret_cast<LPARAM>(&end), SMTO_NORMAL, 5000, &r))
        fail("no answer to EM_GETSEL");
    return start == end ? start : MAXDWORD;
}

void waitCaret(HWND edit, DWORD expected, const char* what) {
    DWORD until = GetTickCount() + 5000;
    while (caret(edit) != expected) {
        if (static_cast<LONG>(until - GetTickCount()) <= 0)
            fail(std::string("the edit did not take ") + what);
        pause(10);
    }
}

// type <hwnd> <id> <text> [replace]: posts WM_CHAR per character; "\n" is
// Enter, posted as key down and up only (the program's own TranslateMessage
// makes the CR), and waited for before typing on. With "replace" the box's
// text is selected first, so the typing replaces it.
Fields cmdType(const Fields& f) {
    if (f.size() < 4) fail("type <hwnd> <id> <text> [replace]");
    HWND edit = control(parseHwnd(f[1]), f[2]);
    DWORD_PTR r;
    if (f.size() > 4 && f[4] == "replace") {
        // Select all, then Delete, as a person clears a box before typing.
        SendMessageTimeoutA(edit, EM_SETSEL, 0, -1, SMTO_NORMAL, 5000, &r);
        PostMessageA(edit, WM_KEYDOWN, VK_DELETE, 0x01530001);
        PostMessageA(edit, WM_KEYUP, VK_DELETE, 0xC1530001);
        waitCaret(edit, 0, "Delete");
    }
    DWORD start = 0, end = 0;
    SendMessageTimeoutA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                        reinterpret_cast<LPARAM>(&end), SMTO_NORMAL, 5000, &r);
    DWORD expected = start;
    for (char c : f[3]) {
        if (c == '\n') {
            PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0x001C0001);
            PostMessageA(edit, WM_KEYUP, VK_RETURN, 0xC01C0001);
            expected += 2;
            waitCaret(edit, expected, "an Enter as a line break");
        } else {
            PostMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
            ++expected;
        }
    }
    waitCaret(edit, expected, "all characters");
    return {};
}

// key <hwnd> <id> <vk>: posts a key press (down and up) to an edit that
// holds text, as the keyboard would, and waits until the program has read it
// and what it posted in reply: "done", or "closed" if the edit went away.
// Posted messages are read in order, so a selection posted behind the key
// shows when the key has been read; a second one covers the replies.
Fields cmdKey(const Fields& f) {
    if (f.size() < 4) fail("key <hwnd> <id> <vk>");
    HWND edit = control(parseHwnd(f[1]), f[2]);
    if (textOf(edit).empty()) fail("key needs an edit that holds text");
    UINT vk = static_cast<UINT>(number(f[3]));
    LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC)) << 16;
    DWORD_PTR r;
    SendMessageTimeoutA(edit, EM_SETSEL, 0, 0, SMTO_NORMAL, 5000, &r);
    PostMessageA(edit, WM_KEYDOWN, vk, scan | 1);
    PostMessageA(edit, WM_KEYUP, vk, scan | 0xC0000001);
    for (DWORD marker : {DWORD{MAXDWORD}, DWORD{0}}) {
        PostMessageA(edit, EM_SETSEL, 0, marker == 0 ? 0 : -1);
        DWORD until = GetTickCount() + 5000;
        for (;;) {
            try {
                if (caret(edit) == marker) break;
            } catch (const Failure&) {
                if (IsWindow(edit)) throw;
            }
            if (!IsWindow(edit)) return {"closed"};
            if (static_cast<LONG>(until - GetTickCount()) <= 0) fail("the key was not read");
            pause(10);
        }
    }
    return {"done"};
}

Fields cmdText(const Fields& f) {
    if (f.size() < 3) fail("text <hwnd> <id>");
    return {textOf(control(parseHwnd(f[1]), f[2]))};
}

Fields cmdCheck(const Fields& f) {
    if (f.size() < 3) fail("check <hwnd> <id>");
    DWORD_PTR r = 0;
    if (!SendMessageTimeoutA(control(parseHwnd(f[1]), f[2]), BM_GETCHECK, 0, 0, SMTO_NORMAL, 5000,
                             &r))
        fail("no answer to BM_GETCHECK");
    return {std::to_string(r)};
}

// rect <hwnd> <id>: window rectangle, then client rectangle, in screen pixels.
Fields cmdRect(const Fields& f) {
    if (f.size() < 3) fail("rect <hwnd> <id>");
    HWND h = control(parseHwnd(f[1]), f[2]);
    RECT w, c;
    GetWindowRect(h, &w);
    GetClientRect(h, &c);
    MapWindowPoints(h, nullptr, reinterpret_cast<POINT*>(&c), 2);
    Fields out;
    for (LONG v : {w.left, w.top, w.right, w.bottom, c.left, c.top, c.right, c.bottom})
        out.push_back(std::to_string(v));
    return out;
}

// info <hwnd> <id>: style and whether the window is visible and enabled.
Fields cmdInfo(const Fields& f) {
    if (f.size() < 3) fail("info <hwnd> <id>");
    HWND h = control(parseHwnd(f[1]), f[2]);
    char style[32];
    std::snprintf(style, sizeof style, "%lx",
                  static_cast<unsigned long>(GetWindowLongA(h, GWL_STYLE)));
    return {style, IsWindowVisible(h) ? "visible" : "hidden",
            IsWindowEnabled(h) ? "enabled" : "disabled", className(h)};
}

// exit <ms>: the exit code of the program started last.
Fields cmdExit(const Fields& f) {
    if (gApps.empty()) fail("nothing started");
    DWORD ms = f.size() > 1 ? number(f[1]) : 10000;
    DWORD until = GetTickCount() + ms;
    while (WaitForSingleObject(gApps.back().hProcess, 0) == WAIT_TIMEOUT) {
        if (static_cast<LONG>(until - GetTickCount()) <= 0)
            fail("the program still runs after " + std::to_string(ms) + " ms");
        pause(20);
    }
    DWORD code = 0;
    GetExitCodeProcess(gApps.back().hProcess, &code);
    return {std::to_string(code)};
}

Fields cmdEndSession(const Fields&) {
    return {gQueryEnd ? "yes" : "no"};
}

Fields run(const Fields& f) {
    const std::string& c = f[0];
    if (c == "start") return cmdStart(f);
    if (c == "window") return cmdWindow(f);
    if (c == "windows") return cmdWindows(f);
    if (c == "box") return cmdBox(f);
    if (c == "gone") return cmdGone(f);
    if (c == "act") return cmdAct(f);
    if (c == "sync") return cmdSync(f);
    if (c == "type") return cmdType(f);
    if (c == "key") return cmdKey(f);
    if (c == "text") return cmdText(f);
    if (c == "check") return cmdCheck(f);
    if (c == "rect") return cmdRect(f);
    if (c == "info") return cmdInfo(f);
    if (c == "exit") return cmdExit(f);
    if (c == "endsession") return cmdEndSession(f);
    if (c == "ping") return {};
    fail("unknown command " + c);
}

DWORD WINAPI commandLoop(LPVOID) {
    std::string line;
    while (readLine(line)) {
        if (line.empty()) continue;
        Fields f = split(line);
        if (f[0] == "quit") break;
        try {
            writeOut(answer(run(f)) + "\n");
        } catch (const Failure& e) {
            writeOut("err\t" + escape(e.reason) + "\n");
        }
    }
    PostMessageA(gEndWindow, WM_CLOSE, 0, 0);
    return 0;
}

void note(const char* what) {
    if (gEndFile.empty()) return;
    HANDLE h = CreateFileA(gEndFile.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                           OPEN_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    DWORD written;
    WriteFile(h, what, static_cast<DWORD>(std::strlen(what)), &written, nullptr);
    FlushFileBuffers(h);
    CloseHandle(h);
}

LRESULT CALLBACK endProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_QUERYENDSESSION:
            gQueryEnd = true;
            note("queryendsession\n");
            return TRUE;
        case WM_ENDSESSION:
            note(wp ? "endsession\n" : "endsession cancelled\n");
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcA(h, msg, wp, lp);
}

}  // namespace

// vkdrive [file that receives the end-of-session notes]
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdLine, int) {
    gEndFile = cmdLine;
    WNDCLASSA wc{};
    wc.lpfnWndProc = endProc;
    wc.hInstance = instance;
    wc.lpszClassName = "VkDriveSession";
    RegisterClassA(&wc);
    // Hidden, but top-level: the system's shutdown only talks to such windows.
    gEndWindow = CreateWindowA("VkDriveSession", "vkdrive", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                               nullptr, instance, nullptr);
    HANDLE worker = CreateThread(nullptr, 0, commandLoop, nullptr, 0, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    WaitForSingleObject(worker, 2000);
    return 0;
}
