// What the program asks of Windows as a whole.
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <vector>

#include "platform/text_rules.h"
#include "platform/win32/on_demand.h"
#include "platform/win32/win32_platform.h"

namespace {

// NT refuses a reboot unless the caller has enabled this privilege.
void enableShutdownPrivilege() {
    using OpenToken = BOOL(WINAPI*)(HANDLE, DWORD, PHANDLE);
    using LookupValue = BOOL(WINAPI*)(LPCSTR, LPCSTR, PLUID);
    using Adjust = BOOL(WINAPI*)(HANDLE, BOOL, PTOKEN_PRIVILEGES, DWORD, PTOKEN_PRIVILEGES, PDWORD);
    auto openToken = onDemand<OpenToken>("advapi32.dll", "OpenProcessToken");
    auto lookupValue = onDemand<LookupValue>("advapi32.dll", "LookupPrivilegeValueA");
    auto adjust = onDemand<Adjust>("advapi32.dll", "AdjustTokenPrivileges");
    HANDLE token = nullptr;
    if (openToken && lookupValue && adjust &&
        openToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
        TOKEN_PRIVILEGES privileges{};
        privileges.PrivilegeCount = 1;
        privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        if (lookupValue(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid))
            adjust(token, FALSE, &privileges, 0, nullptr, nullptr);
        CloseHandle(token);
    }
}

}  // namespace

bool isWindows9x() {
    return (GetVersion() & 0x80000000u) != 0;
}

std::string Win32System::programFolder() {
    // The result is cut to fit without saying so; only a count well below the
    // buffer's size proves the whole path came back.
    std::vector<char> buffer(MAX_PATH);
    while (buffer.size() <= 65536) {
        DWORD count = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (count == 0) return {};
        if (count < buffer.size() - 1) return folderOfFile(std::string(buffer.data(), count));
        buffer.resize(buffer.size() * 2);
    }
    return {};
}

std::string Win32System::commandLine() {
    const char* line = GetCommandLineA();
    return line ? argumentsOf(line) : std::string();
}

std::string Win32System::windowsDirectory() {
    // Too small a buffer makes the call return the size it needs instead.
    std::vector<char> buffer(MAX_PATH + 1);
    for (int attempt = 0; attempt < 3; ++attempt) {
        UINT count = GetWindowsDirectoryA(buffer.data(), static_cast<UINT>(buffer.size()));
        if (count == 0) return {};
        if (count < buffer.size()) return std::string(buffer.data(), count);
        buffer.resize(count + 1);
    }
    return {};
}

bool Win32System::hasDosMode() {
    DWORD version = GetVersion();  // Windows Me: 9x, 4.90
    return !isWindows9x() || LOBYTE(version) != 4 || HIBYTE(LOWORD(version)) != 90;
}

bool Win32System::requestReboot() {
    if (!isWindows9x()) enableShutdownPrivilege();
    return ExitWindowsEx(EWX_REBOOT, 0) != FALSE;
}

bool Win32System::openLink(const std::string& url) {
    // Results above 32 mean the program for the link was started.
    auto execute = onDemand<decltype(&ShellExecuteA)>("shell32.dll", "ShellExecuteA");
    return execute && reinterpret_cast<INT_PTR>(execute(nullptr, "open", url.c_str(), nullptr,
                                                        nullptr, SW_SHOWNORMAL)) > 32;
}
