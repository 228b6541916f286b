// The program's entry point in place of the MinGW start-up code, which is
// built for the Pentium Pro and does more than Velkor needs: run the static
// constructors, call WinMain, end the process with its result.
#include <windows.h>

// Listed by the linker: a count or -1, the functions, a closing null.
extern "C" void (*__CTOR_LIST__[])();
extern "C" void (*__DTOR_LIST__[])();

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

// Runs the static constructors, last listed first, and registers what the
// .dtors list holds to run at the end, as MinGW's own __main does; the
// library's would bring its unwind tables along, 512 bytes of a file that
// must stay within 64 KB.
extern "C" void __main() {
    static bool done = false;
    if (done) return;
    done = true;
    int n = 0;
    while (__CTOR_LIST__[n + 1]) ++n;
    while (n > 0) __CTOR_LIST__[n--]();
    atexit([] {
        for (int i = 1; __DTOR_LIST__[i]; ++i) __DTOR_LIST__[i]();
    });
}

extern "C" void WinMainCRTStartup() {
    __main();
    // Velkor reads its command line itself, and decides itself how its window shows.
    char none[] = "";
    endProcess(WinMain(GetModuleHandleA(nullptr), nullptr, none, SW_SHOWDEFAULT));
}
