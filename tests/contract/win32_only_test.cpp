// What only the real functions can show: open files, attributes, missing
// folders, the process's own command line and folder, message-box results,
// the reboot.
#include <gtest/gtest.h>

#include "contract/child.h"
#include "contract/win32_world.h"

namespace {

int filesIn(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    int count = 0;
    if (search == INVALID_HANDLE_VALUE) return 0;
    do count += (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : 1;
    while (FindNextFileA(search, &found));
    FindClose(search);
    return count;
}

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
    EXPECT_TRUE(world.files().canMove(a));
}

TEST(Win32Files, AMissingFolder) {
    Win32World world;
    std::string folder = world.folder() + "Fehlt\\";
    Win32Profile profile;
    EXPECT_FALSE(world.files().write(folder + "A.txt", "x"));
    EXPECT_FALSE(world.files().canCreateIn(folder));
    EXPECT_FALSE(world.files().exists(folder + "A.txt"));
    EXPECT_EQ(world.files().read(folder + "A.txt", 10), std::nullopt);
    EXPECT_TRUE(world.files().remove(folder + "A.txt"));  // there is nothing to delete
    EXPECT_FALSE(profile.write(folder + "Velkor.ini", "Velkor", "Taskleiste", "0"));
    EXPECT_FALSE(profile.flush(folder + "Velkor.ini"));
}

TEST(Win32Files, ProbingAFolderLeavesNothingBehind) {
    Win32World world;
    EXPECT_TRUE(world.files().canCreateIn(world.folder()));
    EXPECT_EQ(filesIn(world.folder()), 0);
}

TEST(Win32Files, AFolderIsNeitherReadNorWrittenNorReplaced) {
    Win32World world;
    std::string sub = world.folder() + "Ordner";
    ASSERT_TRUE(CreateDirectoryA(sub.c_str(), nullptr));
    std::string a = world.folder() + "A.txt";
    ASSERT_TRUE(world.files().write(a, "x"));
    EXPECT_EQ(world.files().read(sub, 10), std::nullopt);
    EXPECT_FALSE(world.files().write(sub, "x"));
    EXPECT_FALSE(world.files().replace(a, sub));
    EXPECT_FALSE(world.files().canMove(sub));
    EXPECT_EQ(world.files().read(a, 10), "x");
    RemoveDirectoryA(sub.c_str());
}

TEST(Win32System, ArgumentsFollowTheProgramName) {
    struct {
        const char *line, *arguments;
    } cases[] = {
        {"C:\\VELKOR\\VELKOR.EXE", ""},
        {"C:\\VELKOR\\VELKOR.EXE C:\\K\\a.vkf", "C:\\K\\a.vkf"},
        {"\"C:\\Program Files\\Velkor.exe\" C:\\K\\a.vkf", "C:\\K\\a.vkf"},
        {"\"C:\\Program Files\\Velkor.exe\"   \t C:\\Eigene Dateien\\a b.vkf  ",
         "C:\\Eigene Dateien\\a b.vkf  "},                    // the end stays as it is
        {"velkor \"C:\\A B\\x.vkf\"", "\"C:\\A B\\x.vkf\""},  // and so do quotes
        {"velkor\tx", "x"},
        {"\"C:\\A B\"\\velkor.exe x", "x"},  // quotes may cover part of the name
        {"\"C:\\A B\\velkor.exe", ""},       // an unclosed quote takes the rest
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(argumentsOf(c.line), c.arguments) << c.line;
}

TEST(Win32System, FolderOfAProgramFile) {
    struct {
        const char *path, *folder;
    } cases[] = {
        {"C:\\VELKOR\\VELKOR.EXE", "C:\\VELKOR"},
        {"C:\\VELKOR.EXE", "C:\\"},
        {"C:\\A\\B\\C\\v.exe", "C:\\A\\B\\C"},
        {"\\\\server\\share\\v.exe", "\\\\server\\share"},
        {"v.exe", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(folderOfFile(c.path), c.folder) << c.path;
}

TEST(Win32System, AStartedProgramSeesItsOwnArgumentsAndFolder) {
    std::string exe = ownPath();
    std::string folder = folderOfFile(exe);
    struct {
        std::string line, arguments;
    } cases[] = {
        {"\"" + exe + "\"", ""},
        {"\"" + exe + "\"  C:\\Eigene Dateien\\Spiele.vkf ", "C:\\Eigene Dateien\\Spiele.vkf "},
        {"\"" + exe + "\" \"C:\\A B\\für.vkf\"", "\"C:\\A B\\für.vkf\""},
        {exe + "\t\tx  y", "x  y"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(runChild(exe, c.line, "echo"), c.arguments + "\n" + folder) << c.line;
    }
}

TEST(Win32System, WindowsDirectory) {
    std::string windows = Win32System().windowsDirectory();
    EXPECT_EQ(lstrcmpiA(windows.c_str(), "C:\\windows"), 0) << windows;  // as Wine has it
    EXPECT_EQ(windows.find('\0'), std::string::npos);
    EXPECT_TRUE(GetFileAttributesA(windows.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_FALSE(isWindows9x());
}

TEST(Win32MessageBoxes, WhatAResultMeans) {
    struct {
        int result;
        unsigned style;
        Answer answer;
    } cases[] = {
        {IDYES, mb::YesNo, Answer::Yes},      {IDNO, mb::YesNo, Answer::No},
        {IDCANCEL, mb::YesNo, Answer::No},  // Wine lets a Yes/No box be closed
        {0, mb::YesNo, Answer::No},         // no box could be shown
        {-1, mb::YesNo, Answer::No},          {IDYES, mb::YesNoCancel, Answer::Yes},
        {IDNO, mb::YesNoCancel, Answer::No},  {IDCANCEL, mb::YesNoCancel, Answer::Cancel},
        {0, mb::YesNoCancel, Answer::Cancel}, {IDOK, mb::Ok, Answer::Ok},
        {IDCANCEL, mb::Ok, Answer::Ok},       {0, mb::Ok | mb::IconHand, Answer::Ok},
    };
    for (const auto& c : cases)
        EXPECT_EQ(answerOf(c.result, c.style), c.answer) << c.result << " " << c.style;
}

// Last, and in a child: the request starts Wine's shutdown of windowed programs.
TEST(Win32SystemReboot, IsRequestedWithTheShutdownPrivilegeEnabled) {
    std::string exe = ownPath();
    std::optional<std::string> report = runChild(exe, "\"" + exe + "\"", "reboot");
    ASSERT_TRUE(report);
    EXPECT_EQ(report->substr(1), "11") << "privilege before, after, result: " << *report;
}

}  // namespace
