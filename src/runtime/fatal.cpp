#include "runtime/fatal.h"

#include <windows.h>

void endWithMessage(const char* text) noexcept {
    MessageBoxA(nullptr, text, "Velkor", MB_OK | MB_ICONSTOP | MB_TASKMODAL);
    ExitProcess(1);
}
