// The program's entry point in place of the MinGW start-up code, which is
// built for the Pentium Pro and does more than Velkor needs: run the static
// constructors, call WinMain, end the process with its result.
#include <windows.h>

#include <cstdlib>

extern "C" void __main();  // runs the static constructors, registers the destructors

// The static destructors go to msvcrt's list, which std::exit runs.
extern "C" int atexit(void (*function)()) {
    return _onexit(reinterpret_cast<_onexit_t>(function)) ? 0 : -1;
}

namespace {

// What follows the program's name on the command line, which may be quoted.
char* argumentsOf(char* line) {
    bool quoted = false;
    for (; *line && (quoted || (*line != ' ' && *line != '\t')); ++line)
        if (*line == '"') quoted = !quoted;
    while (*line == ' ' || *line == '\t') ++line;
    return line;
}

}  // namespace

extern "C" void WinMainCRTStartup() {
    __main();
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
    std::exit(WinMain(GetModuleHandleA(nullptr), nullptr, argumentsOf(GetCommandLineA()), show));
}
