#include "win32/one_velkor.h"

#include "platform/win32/on_demand.h"
#include "win32/win32_main_window.h"

namespace {

constexpr ULONG_PTR kHandOver = 0x56656C31;  // marks our WM_COPYDATA
// The running Velkor may still be starting, or busy for a moment.
constexpr DWORD kPatienceMs = 10000, kAnswerMs = 5000, kRetryMs = 200;
constexpr int kMostWindows = 64;

}  // namespace

OneVelkor::OneVelkor(const std::string& iniPath) : key_("Velkor " + iniPath) {
    // One name for every spelling of the path; a backslash would separate
    // parts of the name on NT.
    CharUpperBuffA(key_.data(), static_cast<DWORD>(key_.size()));
    for (char& c : key_)
        if (c == '\\') c = '/';
    SetLastError(ERROR_SUCCESS);  // only this call may say "already exists"
    mutex_ = CreateMutexA(nullptr, TRUE, key_.c_str());
    // Without a mutex (a path too long for its name) this run goes on alone.
    first_ = !mutex_ || GetLastError() != ERROR_ALREADY_EXISTS;
}

OneVelkor::~OneVelkor() {
    if (mutex_) CloseHandle(mutex_);
}

OneVelkor::Start OneVelkor::start(const std::string& commandLine) {
    if (first_) return Start::First;
    DWORD begun = GetTickCount();
    do {
        // The mutex is ours once the Velkor that held it has ended.
        DWORD wait = WaitForSingleObject(mutex_, 0);
        if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED) return Start::First;
        if (handOver(commandLine)) return Start::HandedOver;
        Sleep(kRetryMs);
    } while (GetTickCount() - begun < kPatienceMs);
    return Start::NoAnswer;
}

bool OneVelkor::handOver(const std::string& commandLine) const {
    std::string data = key_ + '\0' + commandLine;
    COPYDATASTRUCT copy{kHandOver, static_cast<DWORD>(data.size()), data.data()};
    // Windows 95 lacks it; without it the running Velkor may only flash.
    auto allowForeground = onDemand<BOOL(WINAPI*)(DWORD)>("user32.dll", "AllowSetForegroundWindow");
    HWND window = nullptr;
    for (int i = 0; i < kMostWindows; ++i) {
        window = FindWindowExA(nullptr, window, Win32MainWindow::kClassName, nullptr);
        if (!window) break;
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (allowForeground) allowForeground(process);
        DWORD_PTR taken = FALSE;
        if (SendMessageTimeoutA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy),
                                SMTO_ABORTIFHUNG, kAnswerMs, &taken) &&
            taken)
            return true;
    }
    return false;
}

std::optional<std::string> handedOverCommandLine(const COPYDATASTRUCT& data,
                                                 const std::string& key) {
    const char* bytes = static_cast<const char*>(data.lpData);
    if (data.dwData != kHandOver || !bytes || data.cbData <= key.size() ||
        key.compare(0, key.size(), bytes, key.size()) != 0 || bytes[key.size()] != '\0')
        return std::nullopt;
    return std::string(bytes + key.size() + 1, data.cbData - key.size() - 1);
}
