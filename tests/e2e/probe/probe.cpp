// A stand-in with the main window's IDs, just enough to prove the test rig
// itself: desktop, driver, message boxes, typing, files and the reboot.
#include <windows.h>

#include <string>

#include "win32/resource.h"

namespace {

HWND gMain;

std::string textOf(HWND h) {
    std::string s(GetWindowTextLengthA(h) + 1, '\0');
    s.resize(GetWindowTextA(h, s.data(), static_cast<int>(s.size())));
    return s;
}

void writeFile(const char* path, const std::string& bytes) {
    HANDLE h = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
}

void save() {
    std::string s = "check=" + std::to_string(IsDlgButtonChecked(gMain, IDC_CHECK1_FIRST)) + "\r\n";
    s += "text=" + textOf(GetDlgItem(gMain, IDC_F2_TEXT2)) + "\r\n";
    writeFile("probe.txt", s);
}

void command(int id) {
    switch (id) {
        case IDC_COMMAND3:
        case IDM_SPEICHERN:
            save();
            break;
        case IDC_COMMAND7:
            switch (MessageBoxA(
                gMain, "Wollen Sie Ihre aktuellen Velkor speichern?\rZweite Zeile für Umlaute",
                "Speichern", MB_YESNOCANCEL | MB_ICONQUESTION)) {
                case IDYES:
                    save();
                    ExitProcess(0);
                case IDNO:
                    ExitProcess(3);
            }
            break;
        case IDC_COMMAND2:
            writeFile("C:\\probe-reboot.txt", "reboot\r\n");
            ExitWindowsEx(EWX_REBOOT, 0);
            break;
    }
}

LRESULT CALLBACK proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_COMMAND:
            command(LOWORD(wp));
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcA(h, msg, wp, lp);
}

HWND child(const char* cls, const char* text, DWORD style, int x, int y, int w, int hgt, int id) {
    return CreateWindowA(cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, hgt, gMain,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "VkProbe";
    RegisterClassA(&wc);
    RECT r{0, 0, 300, 200};
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    AdjustWindowRect(&r, style, FALSE);
    int w = r.right - r.left, hgt = r.bottom - r.top;
    gMain = CreateWindowA(
        "VkProbe", "Velkor-Probe für Tests", style, (GetSystemMetrics(SM_CXSCREEN) - w) / 2,
        (GetSystemMetrics(SM_CYSCREEN) - hgt) / 2, w, hgt, nullptr, nullptr, instance, nullptr);
    child("BUTTON", "Häkchen", BS_AUTOCHECKBOX, 10, 10, 120, 20, IDC_CHECK1_FIRST);
    child("BUTTON", "&Neu starten", BS_PUSHBUTTON, 180, 10, 110, 25, IDC_COMMAND2);
    child("BUTTON", "&Speichern", BS_PUSHBUTTON, 180, 40, 110, 25, IDC_COMMAND3);
    child("BUTTON", "&Beenden", BS_PUSHBUTTON, 180, 70, 110, 25, IDC_COMMAND7);
    child("EDIT", "", WS_BORDER | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL, 10, 110, 280, 80,
          IDC_F2_TEXT2);
    ShowWindow(gMain, show);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
