// Imports what the first Windows 95 lacks and what 9x has only as a stub:
// the import check must name both.
#include <windows.h>

int main(void) {
    ULARGE_INTEGER free;
    GetDiskFreeSpaceExA("C:\\", &free, NULL, NULL);
    return CreateFileW(L"x", 0, 0, NULL, OPEN_EXISTING, 0, NULL) == INVALID_HANDLE_VALUE;
}
