// vkdrive: works the program under test as a person would, from inside the same
// Wine session. One command a line on stdin, one answer a line on stdout; every
// field is "x" and the hex of its Windows ANSI (cp1252) bytes, fields are
// separated by blanks. An answer is "ok" and fields, or "err" and a reason.
//
// A message sent to another thread overtakes the messages posted to it, so an
// action is sent (SendMessageCallback) and a WM_NULL is sent behind it: when
// that returns, the program has finished the action or sits in a modal loop.
//
// A reboot asked for by the program ends this process too; the hidden window
// notes WM_QUERYENDSESSION and WM_ENDSESSION in the file named on our command
// line before we are killed.
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Fields = std::vector<std::string>;

const char* gEndFile = "";
HWND gEndWindow = nullptr;
PROCESS_INFORMATION gApp{};  // the program under test

[[noreturn]] void fail(const std::string& reason) {
    throw std::runtime_error(reason);
}

// "x" and the hex of the bytes: an empty field is "x".
std::string hexOf(const std::string& s) {
    std::string out = "x";
    for (unsigned char c : s) out += {"0123456789abcdef"[c >> 4], "0123456789abcdef"[c & 15]};
    return out;
}

std::string unhex(const std::string& s) {
    std::string out;
    for (std::size_t i = 1; i + 1 < s.size(); i += 2)
        out += static_cast<char>(std::stoul(s.substr(i, 2), nullptr, 16));
    return out;
}

const auto num = [](long long n) { return std::to_string(n); };
const auto toNum = [](const std::string& s) { return std::strtoll(s.c_str(), nullptr, 0); };
const auto toHwnd = [](const std::string& s) { return reinterpret_cast<HWND>(toNum(s)); };
const auto idOf = [](HWND h) { return num(reinterpret_cast<LONG_PTR>(h)); };

void pump(DWORD ms) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, ms, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

const auto appRunning = [] { return WaitForSingleObject(gApp.hProcess, 0) == WAIT_TIMEOUT; };

const auto className = [](HWND h) {
    char buf[256] = "";
    return std::string(buf, GetClassNameA(h, buf, sizeof buf));
};

LRESULT sendTimed(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    DWORD_PTR r = 0;
    if (!SendMessageTimeoutA(h, msg, wp, lp, SMTO_NORMAL, 5000, &r))
        fail((IsWindow(h) ? "no answer to message " : "the window went away before message ") +
             num(msg));
    return static_cast<LRESULT>(r);
}

// Another process's control text has to be asked for with WM_GETTEXT; a
// top-level window's title is known to the system.
std::string textOf(HWND h) {
    if (!(GetWindowLongA(h, GWL_STYLE) & WS_CHILD)) {
        char title[512] = "";
        GetWindowTextA(h, title, sizeof title);
        return title;
    }
    std::string buf(sendTimed(h, WM_GETTEXTLENGTH, 0, 0) + 1, '\0');
    buf.resize(sendTimed(h, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data())));
    return buf;
}

// A window, or its control of the ID that follows it unless that is 0.
HWND target(const Fields& f, std::size_t at = 1) {
    HWND h = toHwnd(f.at(at));
    if (!IsWindow(h)) fail("window " + f[at] + " does not exist");
    if (f.size() <= at + 1 || toNum(f[at + 1]) == 0) return h;
    HWND c = GetDlgItem(h, static_cast<int>(toNum(f[at + 1])));
    if (!c) fail("window " + f[at] + " has no control " + f[at + 1]);
    return c;
}

// list [<hwnd>]: the program's visible top-level windows, or every descendant
// of a window: hwnd id class text style visible.
Fields list(const Fields& f) {
    std::vector<HWND> found;
    WNDENUMPROC add = [](HWND h, LPARAM p) CALLBACK {
        reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
        return TRUE;
    };
    bool top = f.size() < 2;
    if (top) EnumWindows(add, reinterpret_cast<LPARAM>(&found));
    if (!top) EnumChildWindows(target(f), add, reinterpret_cast<LPARAM>(&found));
    Fields out;
    for (HWND h : found) {
        DWORD pid = 0;
        GetWindowThreadProcessId(h, &pid);
        if (top && (!IsWindowVisible(h) || pid != gApp.dwProcessId)) continue;
        out.insert(out.end(),
                   {idOf(h), num(GetDlgCtrlID(h) & 0xFFFF), className(h), textOf(h),
                    num(GetWindowLongA(h, GWL_STYLE) & 0xFFFFFFFF), num(IsWindowVisible(h))});
    }
    return out;
}

// get <hwnd> [id]: text, class, check state, style, visible, enabled, in
// front, then the window and the client rectangle in screen pixels.
Fields get(const Fields& f) {
    HWND h = target(f);
    RECT w, c;
    GetWindowRect(h, &w);
    GetClientRect(h, &c);
    MapWindowPoints(h, nullptr, reinterpret_cast<POINT*>(&c), 2);
    LRESULT check = className(h) == "Button" ? sendTimed(h, BM_GETCHECK, 0, 0) : 0;
    Fields out{textOf(h), className(h)};
    using Wide = long long;  // LONG_PTR is narrower in a 32-bit driver
    for (Wide v :
         {Wide{check}, GetWindowLongA(h, GWL_STYLE) & 0xFFFFFFFFLL, Wide{IsWindowVisible(h)},
          Wide{IsWindowEnabled(h)}, Wide{GetForegroundWindow() == h}})
        out.push_back(num(v));
    for (LONG v : {w.left, w.top, w.right, w.bottom, c.left, c.top, c.right, c.bottom})
        out.push_back(num(v));
    return out;
}

// The reply to a SendMessageCallback: the action's handler has returned.
void CALLBACK replied(HWND, UINT, ULONG_PTR done, LRESULT) {
    *reinterpret_cast<bool*>(done) = true;
}

// Waits until the thread of `h` reads its messages again: "done", "modal" (the
// action still runs, or `h` waits for a window of the program's own), "ended"
// (the program ended) or "closed" (`h` went away, the program runs on).
std::string settle(HWND h, const bool* done, DWORD ms) {
    DWORD_PTR r;
    BOOL answered = SendMessageTimeoutA(h, WM_NULL, 0, 0, SMTO_NORMAL, ms, &r);
    pump(0);
    if (!answered && appRunning() && IsWindow(h))
        fail("the program did not answer within " + num(ms) + " ms");
    // A window destroyed by the action still answers; its reply may be late.
    if (!IsWindow(h)) return appRunning() ? "closed" : "ended";
    // A modal loop that waits for posted input would not notice a sent click.
    PostMessageA(h, WM_NULL, 0, 0);
    if (done && !*done) return "modal";
    return IsWindowEnabled(h) ? "done" : "modal";
}

// act <hwnd> <id> <message> <wparam> <lparam> <ms>
Fields act(const Fields& f) {
    // The reply may come long after we answered (a modal action): a flag per action.
    bool* done = new bool(false);
    if (!SendMessageCallbackA(target(f), static_cast<UINT>(toNum(f.at(3))), toNum(f.at(4)),
                              toNum(f.at(5)), replied, reinterpret_cast<ULONG_PTR>(done)))
        fail("SendMessageCallback failed with error " + num(GetLastError()));
    return {settle(toHwnd(f[1]), done, static_cast<DWORD>(toNum(f.at(6))))};
}

// set <hwnd> <id> <text>: the text of a box, as a paste would put it there;
// real typing of Enter and Escape is what `keys` is for.
Fields set(const Fields& f) {
    sendTimed(target(f), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(f.at(3).c_str()));
    return {};
}

// keys <vk>...: real key presses of virtual keys; "+vk" holds one down, "-vk"
// lets it go.
Fields keys(const Fields& f) {
    for (std::size_t i = 1; i < f.size(); ++i) {
        char how = f[i].at(0);
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = static_cast<WORD>(toNum(f[i].substr(how == '+' || how == '-')));
        in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(in.ki.wVk, MAPVK_VK_TO_VSC));
        for (int up = how == '-'; up <= (how != '+'); ++up) {
            in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
            if (SendInput(1, &in, sizeof in) == 0) fail("SendInput failed");
        }
    }
    return {};
}

// rclick <x> <y>: a real right-click at a screen point.
Fields rclick(const Fields& f) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    // Wine maps back with (d * size) >> 16: round up so that the pixel is hit.
    int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    in.mi.dx = static_cast<LONG>((toNum(f.at(1)) * 65536 + w - 1) / w);
    in.mi.dy = static_cast<LONG>((toNum(f.at(2)) * 65536 + h - 1) / h);
    for (DWORD button : {0, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP}) {
        in.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | button;
        if (SendInput(1, &in, sizeof in) == 0) fail("SendInput failed");
    }
    return {};
}

// pixel <x> <y>: the colour of a screen point, as 0xBBGGRR.
Fields pixel(const Fields& f) {
    HDC screen = GetDC(nullptr);
    COLORREF colour =
        GetPixel(screen, static_cast<int>(toNum(f.at(1))), static_cast<int>(toNum(f.at(2))));
    ReleaseDC(nullptr, screen);
    return {num(colour)};
}

// The exit code of a process started for a moment, once it has ended.
std::string endOf(HANDLE process, const std::string& ms) {
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process, static_cast<DWORD>(toNum(ms))) == WAIT_OBJECT_0)
        GetExitCodeProcess(process, &code);
    CloseHandle(process);
    return code == STILL_ACTIVE ? "running" : num(code);
}

// <command line> <folder>: started in its own folder, as Explorer does.
PROCESS_INFORMATION started(const Fields& f) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string cmd = f.at(1);
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, f.at(2).c_str(),
                        &si, &pi))
        fail("CreateProcess failed with error " + num(GetLastError()));
    return pi;
}

// run <command line> <folder> <ms>: another start of a program, while the
// one under test runs on; its exit code, or "running" after <ms>.
Fields runOnce(const Fields& f) {
    return {endOf(started(f).hProcess, f.at(3))};
}

// open <file> <ms>: the file opened as a double click in the shell does,
// naming no verb; the exit code of the program it started, as for run.
Fields open(const Fields& f) {
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask =
        SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;  // a failure is an answer, not a box
    info.lpFile = f.at(1).c_str();
    info.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExA(&info)) fail("ShellExecuteEx failed with error " + num(GetLastError()));
    if (!info.hProcess) fail("ShellExecuteEx started no process");
    return {endOf(info.hProcess, f.at(2))};
}

// hold [<path>]: the file opened without sharing, as another program may
// hold it, until the next hold.
Fields hold(const Fields& f) {
    static HANDLE held = INVALID_HANDLE_VALUE;
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    held = INVALID_HANDLE_VALUE;
    if (f.size() < 2) return {};
    held = CreateFileA(f[1].c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (held == INVALID_HANDLE_VALUE) fail("cannot open " + f[1]);
    return {};
}

Fields run(const Fields& f) {
    const std::string& c = f.at(0);
    if (c == "ping") return {};
    if (c == "start") {  // start <command line> <folder>: the program under test
        gApp = started(f);
        return {num(gApp.dwProcessId)};
    }
    if (c == "status") {  // the program's exit code or "running"
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(gApp.hProcess, &code);
        return {code == STILL_ACTIVE ? "running" : num(code)};
    }
    if (c == "alive") return {IsWindow(toHwnd(f.at(1))) ? "yes" : "no"};
    if (c == "sync") return {settle(toHwnd(f.at(1)), nullptr, static_cast<DWORD>(toNum(f.at(2))))};
    Fields (*commands[])(const Fields&) = {list,   get,  act,   set,     keys,
                                           rclick, hold, pixel, runOnce, open};
    const char* names[] = {"list",   "get",  "act",   "set", "keys",
                           "rclick", "hold", "pixel", "run", "open"};
    for (std::size_t i = 0; i < std::size(names); ++i)
        if (c == names[i]) return commands[i](f);
    fail("unknown command " + c);
}

DWORD WINAPI commandLoop(LPVOID) {
    char buf[65536];
    while (std::fgets(buf, sizeof buf, stdin)) {
        std::istringstream line(buf);
        Fields f;
        for (std::string word; line >> word;) f.push_back(unhex(word));
        if (f.empty() || f[0] == "quit") break;
        std::string answer = "ok";
        try {
            for (const std::string& field : run(f)) answer += " " + hexOf(field);
        } catch (const std::exception& e) {  // ours, or a command short of fields
            answer = "err " + hexOf(e.what());
        }
        std::printf("%s\n", answer.c_str());
        std::fflush(stdout);
    }
    PostMessageA(gEndWindow, WM_CLOSE, 0, 0);
    return 0;
}

// Whether the program under test holds the privilege a reboot needs on NT,
// enabled; it asked for the reboot that ends this session.
bool shutdownPrivilegeOn() {
    HANDLE token;
    if (!OpenProcessToken(gApp.hProcess, TOKEN_QUERY, &token)) return false;
    char buffer[4096];
    DWORD size = 0;
    bool on = false;
    const auto* list = reinterpret_cast<const TOKEN_PRIVILEGES*>(buffer);
    if (GetTokenInformation(token, TokenPrivileges, buffer, sizeof buffer, &size))
        for (DWORD i = 0; i < list->PrivilegeCount; ++i)  // 19: SeShutdownPrivilege on every NT
            if (list->Privileges[i].Luid.LowPart == 19 && list->Privileges[i].Luid.HighPart == 0)
                on = list->Privileges[i].Attributes & SE_PRIVILEGE_ENABLED;
    CloseHandle(token);
    return on;
}

LRESULT CALLBACK endProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    const char* note =
        msg == WM_QUERYENDSESSION
            ? (shutdownPrivilegeOn() ? "queryendsession privilege\n" : "queryendsession\n")
        : msg != WM_ENDSESSION ? nullptr
        : wp                   ? "endsession\n"
                               : "endsession cancelled\n";
    FILE* notes = note ? std::fopen(gEndFile, "a") : nullptr;
    if (notes) std::fputs(note, notes), std::fclose(notes);
    if (msg == WM_DESTROY) PostQuitMessage(0);
    return msg == WM_QUERYENDSESSION ? TRUE : DefWindowProcA(h, msg, wp, lp);
}

}  // namespace

// vkdrive <file that receives the end-of-session notes>
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdLine, int) {
    gEndFile = cmdLine;
    // Hidden, but top-level: the system's shutdown only talks to such windows.
    gEndWindow = CreateWindowA("STATIC", "vkdrive", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                               instance, nullptr);
    SetWindowLongPtrA(gEndWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(endProc));
    HANDLE worker = CreateThread(nullptr, 0, commandLoop, nullptr, 0, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    WaitForSingleObject(worker, 2000);
    return 0;
}
