// Velkor.ini: what comes back after a save, and the defaults.
#include <gtest/gtest.h>

#include "fakes/fake_profile.h"
#include "store/ini_store.h"
#include "store/lines.h"

namespace {

const std::string kIni = "C:\\VELKOR\\Velkor.ini";

struct Drive {
    FakeFiles files;
    FakeProfile profile{files};
    State s;
    Drive() { s.IniPath = kIni; }
    bool save() { return saveIni(s, files).empty(); }
    State reloaded() {
        State r;
        r.IniPath = kIni;
        loadIni(r, profile, files);
        return r;
    }
};

TEST(Ini, WhatComesBackAfterSaveAndLoad) {
    Drive d;
    Settings missing = d.reloaded().Settings;  // no file: both questions on
    EXPECT_TRUE(missing.LöschenMSG == kOn && missing.StartenMSG == kOn && !missing.SofortStart);
    std::string lines25;
    for (int i = 1; i <= 25; ++i) appendLine(lines25, "DEVICE=D" + std::to_string(i));
    d.s.OptionTable[0] = {"Viele", lines25, "A\r\nB\r\n\r\nD", 1};
    d.s.OptionTable[1] = {std::string(130, 'n'), std::string(200, 'x') + "\r\nzwei", "", 0};
    d.s.OptionTable[3] = {"Rand", "  eingerückt  \r\n\"C:\\A B\\x.exe\"", "L1\nL2\r\nnach", 0};
    d.s.OptionTable[4] = {"", "ohne Namen", "", 0};
    d.s.OptionTable[5] = {"\fSeite\v", "\vECHO \x1B[0m\t", "", 0};
    d.s.ConfigList.slot(4).Path = " C:\\Eigene Dateien\\a b.vkf ";
    ASSERT_TRUE(d.save());
    State r = d.reloaded();
    std::vector<std::string> lines = splitLines(r.OptionTable[0].ConfigLines);
    ASSERT_EQ(lines.size(), 20u);  // 20 lines at most
    EXPECT_EQ(lines.back(), "DEVICE=D20");
    EXPECT_EQ(r.OptionTable[0].AutoexecLines, "A\r\nB\r\nD");  // no line lost to an empty one
    EXPECT_EQ(r.OptionTable[0].Ticked, 0);                     // ticks are never stored
    EXPECT_EQ(r.OptionTable[1].Name, std::string(128, 'n'));
    EXPECT_EQ(r.OptionTable[1].ConfigLines, std::string(128, 'x') + "\r\nzwei");
    // Blanks around a line and quotes around a whole line come back as typed;
    // what follows a lone LF does not (only CR ends a line when saving).
    EXPECT_EQ(r.OptionTable[3].ConfigLines, "  eingerückt  \r\n\"C:\\A B\\x.exe\"");
    EXPECT_EQ(r.OptionTable[3].AutoexecLines, "L1\r\nnach");
    EXPECT_EQ(r.OptionTable[4].ConfigLines, "");    // a nameless entry keeps only its name
    EXPECT_EQ(r.OptionTable[5].Name, "\fSeite\v");  // what the system trims around a value stays
    EXPECT_EQ(r.OptionTable[5].ConfigLines, "\vECHO \x1B[0m\t");
    EXPECT_EQ(r.ConfigList.slot(4).Path, " C:\\Eigene Dateien\\a b.vkf ");
}

}  // namespace
