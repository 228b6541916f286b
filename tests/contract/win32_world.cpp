#include "contract/win32_world.h"

#include <gtest/gtest.h>

Win32World::Win32World() {
    static int count = 0;
    char temp[MAX_PATH];
    DWORD n = GetTempPathA(MAX_PATH, temp);
    std::string base = n && n < MAX_PATH ? std::string(temp, n) : std::string("C:\\");
    folder_ = base + "velkor-contract-" + std::to_string(GetCurrentProcessId()) + "-" +
              std::to_string(++count) + "\\";
    EXPECT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr)) << folder_;
}

Win32World::~Win32World() {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder_ + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string path = folder_ + found.cFileName;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    EXPECT_TRUE(RemoveDirectoryA(folder_.c_str())) << folder_ << " is not empty";
}
