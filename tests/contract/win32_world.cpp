#include "contract/win32_world.h"

std::string Win32World::folder() const {
    char temp[MAX_PATH];
    DWORD n = GetTempPathA(MAX_PATH, temp);
    return n && n < MAX_PATH ? std::string(temp, n) : std::string("C:\\");
}
