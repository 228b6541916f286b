// Velkor.ini: what comes back after a save, and the defaults.
#include <gtest/gtest.h>

#include "fakes/recorders.h"
#include "store/ini_store.h"
#include "store/lines.h"

namespace {

const std::string kIni = "C:\\VELKOR\\Velkor.ini";

TEST(Ini, WhatComesBackAfterSaveAndLoad) {
    World d;
    State s, r;
    s.iniPath = r.iniPath = kIni;
    loadIni(r, d.files);
    // No file: both questions on.
    EXPECT_TRUE(r.settings.askBeforeDeleting == kOn && r.settings.noticeBeforeRestart == kOn &&
                !r.settings.restartOnChoice);
    std::string lines25;
    for (int i = 1; i <= 25; ++i) appendLine(lines25, "DEVICE=D" + std::to_string(i));
    s.options[0] = {"Viele", lines25, "A\r\nB\r\n\r\nD", 1};
    s.options[1] = {std::string(130, 'n'), std::string(200, 'x') + "\r\nzwei", "", 0};
    s.options[3] = {"Rand", "  eingerückt  \r\n\"C:\\A B\\x.exe\"", "L1\nL2\r\nnach", 0};
    s.options[4] = {"", "ohne Namen", "", 0};
    s.options[5] = {"\fSeite\v", "\vECHO \x1B[0m\t", "", 0};
    s.configs.slot(4).path = " C:\\Eigene Dateien\\a b.vkf ";
    ASSERT_TRUE(saveIni(s, d.files).empty());
    loadIni(r, d.files);
    std::vector<std::string> lines = splitLines(r.options[0].configLines);
    ASSERT_EQ(lines.size(), 20u);  // 20 lines at most
    EXPECT_EQ(lines.back(), "DEVICE=D20");
    EXPECT_EQ(r.options[0].autoexecLines, "A\r\nB\r\nD");  // no line lost to an empty one
    EXPECT_EQ(r.options[1].name, std::string(128, 'n'));
    EXPECT_EQ(r.options[1].configLines, std::string(128, 'x') + "\r\nzwei");
    // Blanks around a line and quotes around a whole line come back as typed;
    // what follows a lone LF does not (only CR ends a line when saving).
    EXPECT_EQ(r.options[3].configLines, "  eingerückt  \r\n\"C:\\A B\\x.exe\"");
    EXPECT_EQ(r.options[3].autoexecLines, "L1\r\nnach");
    EXPECT_EQ(r.options[4].configLines, "");    // a nameless option keeps only its name
    EXPECT_EQ(r.options[5].name, "\fSeite\v");  // what the system trims around a value stays
    EXPECT_EQ(r.options[5].configLines, "\vECHO \x1B[0m\t");
    EXPECT_EQ(r.configs.slot(4).path, " C:\\Eigene Dateien\\a b.vkf ");
}

}  // namespace
