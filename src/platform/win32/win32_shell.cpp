// The file dialogs, the notification-area icon and links, through the ANSI
// functions Windows 95 has.
#include <windows.h>
// After windows.h, which they need.
#include <commdlg.h>
#include <shellapi.h>

#include <cstddef>

#include "platform/win32/on_demand.h"
#include "platform/win32/win32_platform.h"

namespace {
// The window's icon callback: the icon's mouse events arrive as this message.
constexpr UINT kCallbackMessage = WM_RBUTTONDOWN;
// The record as Windows 95 knows it: up to the end of a 64-character tip.
constexpr DWORD kTrayRecordSize = offsetof(NOTIFYICONDATAA, szTip) + 64;

// The predefined root is sign-extended in a 64-bit program.
HKEY handleOf(Registry::Key key) {
    return key == Registry::kClassesRoot ? HKEY_CLASSES_ROOT : reinterpret_cast<HKEY>(key);
}
}  // namespace

std::optional<std::string> Win32FileDialogs::show(const std::string& title, bool saving) {
    char path[MAX_PATH] = "";
    OPENFILENAMEA dialog{};
    dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;  // what Windows 95 accepts
    dialog.hwndOwner = main_ ? GetLastActivePopup(main_) : nullptr;
    dialog.lpstrFilter = "Konfigurations-Dateien (*.vkf)\0*.vkf\0";
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof path;
    dialog.lpstrTitle = title.c_str();
    dialog.lpstrDefExt = "vkf";
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST |
                   (saving ? OFN_OVERWRITEPROMPT | OFN_NOREADONLYRETURN : OFN_FILEMUSTEXIST);
    auto show = onDemand<decltype(&GetOpenFileNameA)>(
        "comdlg32.dll", saving ? "GetSaveFileNameA" : "GetOpenFileNameA");
    if (!show || !show(&dialog)) return std::nullopt;
    return std::string(path);
}

std::optional<std::string> Win32FileDialogs::open(const std::string& title) {
    return show(title, false);
}

std::optional<std::string> Win32FileDialogs::save(const std::string& title) {
    return show(title, true);
}

void Win32Tray::prepare() {
    data_.cbSize = kTrayRecordSize;
    data_.hWnd = main_;
    data_.uID = static_cast<UINT>(reinterpret_cast<UINT_PTR>(main_));
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = kCallbackMessage;
    data_.hIcon = reinterpret_cast<HICON>(SendMessageA(main_, WM_GETICON, ICON_SMALL, 0));
    // The caption, its end, then blanks to the tip's full 64 characters.
    FillMemory(data_.szTip, 64, ' ');
    int length = GetWindowTextA(main_, data_.szTip, 64);
    data_.szTip[length] = '\0';
}

namespace {
BOOL notify(DWORD message, NOTIFYICONDATAA* data) {
    auto call = onDemand<decltype(&Shell_NotifyIconA)>("shell32.dll", "Shell_NotifyIconA");
    return call && call(message, data);
}
}  // namespace

bool Win32Tray::add() {
    return notify(NIM_ADD, &data_) != FALSE;
}

void Win32Tray::remove() {
    notify(NIM_DELETE, &data_);
}

bool Win32System::openLink(const std::string& url) {
    // Results above 32 mean the program for the link was started.
    auto execute = onDemand<decltype(&ShellExecuteA)>("shell32.dll", "ShellExecuteA");
    return execute && reinterpret_cast<INT_PTR>(execute(nullptr, "open", url.c_str(), nullptr,
                                                        nullptr, SW_SHOWNORMAL)) > 32;
}

long Win32Registry::createKey(Key root, const std::string& path, std::uint32_t access, Key& key) {
    HKEY created = nullptr;
    DWORD disposition = 0;
    char noClass[] = "";
    auto create = onDemand<decltype(&RegCreateKeyExA)>("advapi32.dll", "RegCreateKeyExA");
    if (!create) return ERROR_CALL_NOT_IMPLEMENTED;
    long result = create(handleOf(root), path.c_str(), 0, noClass, REG_OPTION_NON_VOLATILE, access,
                         nullptr, &created, &disposition);
    key = reinterpret_cast<Key>(created);
    return result;
}

long Win32Registry::openKey(Key root, const std::string& path, std::uint32_t access, Key& key) {
    HKEY opened = nullptr;
    auto open = onDemand<decltype(&RegOpenKeyExA)>("advapi32.dll", "RegOpenKeyExA");
    if (!open) return ERROR_CALL_NOT_IMPLEMENTED;
    long result = open(handleOf(root), path.c_str(), 0, access, &opened);
    key = reinterpret_cast<Key>(opened);
    return result;
}

long Win32Registry::setValue(Key key, const std::string& name, std::uint32_t type,
                             const std::string& data) {
    auto set = onDemand<decltype(&RegSetValueExA)>("advapi32.dll", "RegSetValueExA");
    if (!set) return ERROR_CALL_NOT_IMPLEMENTED;
    return set(handleOf(key), name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.c_str()),
               static_cast<DWORD>(data.size() + 1));
}

long Win32Registry::closeKey(Key key) {
    auto close = onDemand<decltype(&RegCloseKey)>("advapi32.dll", "RegCloseKey");
    return close ? close(handleOf(key)) : ERROR_CALL_NOT_IMPLEMENTED;
}
