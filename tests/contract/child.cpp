#include "contract/child.h"

#include <vector>

#include "platform/win32/win32_platform.h"

namespace {

const char* const kJob = "VELKOR_CONTRACT_JOB";
const char* const kReport = "VELKOR_CONTRACT_REPORT";

std::string variable(const char* name) {
    char value[MAX_PATH];
    DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
    return n && n < sizeof value ? std::string(value, n) : std::string();
}

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

std::string ownPath() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, n);
}

std::optional<std::string> runChild(const std::string& program, const std::string& commandLine,
                                    const std::string& job) {
    char temp[MAX_PATH], report[MAX_PATH];
    if (!GetTempPathA(MAX_PATH, temp) || !GetTempFileNameA(temp, "vct", 0, report)) return {};
    SetEnvironmentVariableA(kJob, job.c_str());
    SetEnvironmentVariableA(kReport, report);
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    bool started = CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                  nullptr, &startup, &process);
    SetEnvironmentVariableA(kJob, nullptr);
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
    std::string job = variable(kJob), report = variable(kReport);
    if (job.empty() || report.empty()) return false;
    Win32System system;
    std::string text;
    if (job == "echo") {
        text = system.commandLine() + "\n" + system.programFolder();
    } else if (job == "reboot") {
        bool before = shutdownPrivilegeEnabled();
        bool result = system.requestReboot();
        text = std::to_string(before) + std::to_string(shutdownPrivilegeEnabled()) +
               std::to_string(result);
    }
    exitCode = Win32Files().write(report, text) ? 0 : 1;
    return true;
}
