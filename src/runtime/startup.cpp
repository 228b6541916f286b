// The program's entry point in place of the MinGW start-up code, which is
// built for the Pentium Pro and does more than Velkor needs: run the static
// constructors, call WinMain, end the process with its result.
#include <windows.h>

extern "C" void __main();  // runs the static constructors, registers the destructors

namespace {

// The static destructors, run in reverse at the end.
void (*atExit[64])();
int atExitCount = 0;

[[noreturn]] void endProcess(int code) {
    while (atExitCount > 0) atExit[--atExitCount]();
    ExitProcess(code);
}

}  // namespace

extern "C" int atexit(void (*function)()) {
    if (atExitCount == 64) return -1;
    atExit[atExitCount++] = function;
    return 0;
}

extern "C" void WinMainCRTStartup() {
    __main();
    // Velkor reads its command line itself, and decides itself how its window shows.
    char none[] = "";
    endProcess(WinMain(GetModuleHandleA(nullptr), nullptr, none, SW_SHOWDEFAULT));
}
