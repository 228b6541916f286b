// benchrun ROUNDS EXE...: starts each program in turn, ROUNDS times, and
// measures how long it takes until its main window is shown and the program
// waits for input. Prints every time and each program's median, in ms.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Found {
    DWORD process;
    bool shown = false;
};

BOOL CALLBACK noteShown(HWND window, LPARAM lParam) {
    auto* found = reinterpret_cast<Found*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == found->process && IsWindowVisible(window)) found->shown = true;
    return !found->shown;
}

// Milliseconds from CreateProcess to a shown window and an idle program, or -1.
double startUp(const std::string& exe) {
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    std::string folder = exe.substr(0, exe.rfind('\\'));
    std::string line = "\"" + exe + "\"";
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process))
        return -1;
    double ms = -1;
    for (int poll = 0; poll < 20000; ++poll) {  // 20 s at most
        WaitForInputIdle(process.hProcess, 1);
        Found found{process.dwProcessId};
        EnumWindows(noteShown, reinterpret_cast<LPARAM>(&found));
        if (found.shown && WaitForInputIdle(process.hProcess, 0) == 0) {
            QueryPerformanceCounter(&now);
            ms = 1000.0 * (now.QuadPart - start.QuadPart) / frequency.QuadPart;
            break;
        }
    }
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 5000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ms;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return std::puts("benchrun ROUNDS EXE..."), 2;
    int rounds = std::max(1, std::atoi(argv[1]));
    std::vector<std::vector<double>> times(argc - 2);
    for (int round = 0; round < rounds; ++round)
        for (int i = 0; i < argc - 2; ++i) {
            // Alternating order, so no program always follows the same one.
            int p = round % 2 ? argc - 3 - i : i;
            times[p].push_back(startUp(argv[p + 2]));
            std::printf("round %2d  %-40s %8.1f ms\n", round + 1, argv[p + 2], times[p].back());
        }
    for (int p = 0; p < argc - 2; ++p) {
        std::sort(times[p].begin(), times[p].end());
        std::printf("median %-40s %8.1f ms\n", argv[p + 2], times[p][times[p].size() / 2]);
    }
    return 0;
}
