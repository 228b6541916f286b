#include "contract/child.h"

#include <vector>

#include "platform/win32/win32_platform.h"

namespace {

const char kReport[] = "VELKOR_CONTRACT_REPORT";

bool shutdownPrivilegeEnabled() {
    HANDLE token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
    LUID shutdown;
    DWORD size = 0;
    bool enabled = false;
    GetTokenInformation(token, TokenPrivileges, nullptr, 0, &size);
    std::vector<char> buffer(size + 1);
    if (LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &shutdown) &&
        GetTokenInformation(token, TokenPrivileges, buffer.data(), size, &size)) {
        const auto* list = reinterpret_cast<const TOKEN_PRIVILEGES*>(buffer.data());
        for (DWORD i = 0; i < list->PrivilegeCount; ++i) {
            const LUID_AND_ATTRIBUTES& p = list->Privileges[i];
            if (p.Luid.LowPart == shutdown.LowPart && p.Luid.HighPart == shutdown.HighPart)
                enabled = (p.Attributes & SE_PRIVILEGE_ENABLED) != 0;
        }
    }
    CloseHandle(token);
    return enabled;
}

}  // namespace

std::optional<std::string> rebootInAChild() {
    char program[MAX_PATH], temp[MAX_PATH], report[MAX_PATH];
    if (!GetModuleFileNameA(nullptr, program, MAX_PATH) || !GetTempPathA(MAX_PATH, temp) ||
        !GetTempFileNameA(temp, "vct", 0, report))
        return {};
    SetEnvironmentVariableA(kReport, report);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    bool started = CreateProcessA(program, nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                  &startup, &process);
    SetEnvironmentVariableA(kReport, nullptr);
    std::optional<std::string> result;
    if (started) {
        if (WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0)
            result = Win32Files().read(report, 4096);
        else
            TerminateProcess(process.hProcess, 1);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    DeleteFileA(report);
    return result;
}

bool runAsChild(int& exitCode) {
    char report[MAX_PATH];
    DWORD n = GetEnvironmentVariableA(kReport, report, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return false;
    Win32System system;
    bool before = shutdownPrivilegeEnabled();
    bool result = system.requestReboot();
    std::string text = std::to_string(before) + std::to_string(shutdownPrivilegeEnabled()) +
                       std::to_string(result);
    exitCode = Win32Files().write(report, text) ? 0 : 1;
    return true;
}
