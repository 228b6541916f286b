// The notification-area icon, through the ANSI functions Windows 95 has.
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstddef>

#include "platform/win32/on_demand.h"
#include "platform/win32/win32_platform.h"

namespace {
// The record as Windows 95 knows it: up to the end of a 64-character tip.
constexpr DWORD kTrayRecordSize = offsetof(NOTIFYICONDATAA, szTip) + 64;

BOOL notify(DWORD message, NOTIFYICONDATAA* data) {
    auto call = onDemand<decltype(&Shell_NotifyIconA)>("shell32.dll", "Shell_NotifyIconA");
    return call && call(message, data);
}
}  // namespace

void Win32Tray::prepare() {
    data_.cbSize = kTrayRecordSize;
    data_.hWnd = main_;
    data_.uID = static_cast<UINT>(reinterpret_cast<UINT_PTR>(main_));
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = kMessage;
    data_.hIcon = reinterpret_cast<HICON>(SendMessageA(main_, WM_GETICON, ICON_SMALL, 0));
    // The caption, its end, then blanks to the tip's full 64 characters.
    FillMemory(data_.szTip, 64, ' ');
    int length = GetWindowTextA(main_, data_.szTip, 64);
    data_.szTip[length] = '\0';
}

bool Win32Tray::add() {
    return notify(NIM_ADD, &data_) != FALSE;
}

void Win32Tray::remove() {
    notify(NIM_DELETE, &data_);
}
