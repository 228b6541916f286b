// What only the real functions can show: files held open elsewhere, file
// attributes, and the privilege a reboot needs on NT.
#include <gtest/gtest.h>

#include "contract/child.h"
#include "contract/win32_world.h"

namespace {

TEST(Win32Files, AFileOpenElsewhereCannotBeMoved) {
    Win32World world;
    std::string a = world.folder() + "A.txt";
    ASSERT_TRUE(world.files().write(a, "x"));
    HANDLE other = CreateFileA(a.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(world.files().canMove(a));
    CloseHandle(other);
    EXPECT_TRUE(world.files().canMove(a));
}

TEST(Win32Files, AHiddenSystemFileIsRewrittenAndKeepsItsAttributes) {
    Win32World world;
    std::string a = world.folder() + "A.txt";
    ASSERT_TRUE(world.files().write(a, "alter Inhalt"));
    ASSERT_TRUE(SetFileAttributesA(a.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    EXPECT_TRUE(world.files().write(a, "neu"));
    EXPECT_EQ(world.files().read(a, 100), "neu");
    DWORD attributes = GetFileAttributesA(a.c_str());
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_SYSTEM);
}

// Last, and in a child: the request starts Wine's shutdown of windowed programs.
TEST(Win32SystemReboot, IsRequestedWithTheShutdownPrivilegeEnabled) {
    std::optional<std::string> report = rebootInAChild();
    ASSERT_TRUE(report);
    EXPECT_EQ(report->substr(1), "11") << "privilege before, after, result: " << *report;
}

}  // namespace
