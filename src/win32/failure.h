// The last line of defence at the boundary to Windows: a failure nobody
// expected is told to the user instead of crossing into the system.
#pragma once
#include <windows.h>

void reportUnexpectedFailure(HWND owner) noexcept;
