// Velkor.ini: its bytes, what comes back, the defaults, and saves that fail
// part-way. The fake profile behaves as the real one (the contract tests).
#include <gtest/gtest.h>

#include "fakes/fake_profile.h"
#include "store/ini_store.h"
#include "store/lines.h"

namespace {

const std::string kIni = "C:\\VELKOR\\Velkor.ini", kNeu = "C:\\VELKOR\\Velkor.neu";

struct Drive {
    FakeFiles files;
    FakeProfile profile{files};
    State s;

    Drive() { s.IniPath = kIni; }
    bool save() { return saveIni(s, profile, files); }
    State reloaded() {
        State r;
        r.IniPath = kIni;
        loadIni(r, profile, files);
        return r;
    }
};

struct Ini : Drive, testing::Test {};

TEST_F(Ini, ASaveWritesTheseBytesAndNothingOfTheOldFile) {
    files.put(kIni, "; von Hand\r\n[Fremd]\r\nx=1\r\n[Eintrag3]\r\nConfig9=alt\r\n");
    s.Settings = {kOn, kOff, kOff, kOn};
    s.ConfigList.slot(2).Path = "C:\\K\\Spiele.vkf";
    s.OptionTable[2] = {"Maus für DOS", "DEVICE=A\r\n\r\nDEVICE=C\r\n", "MOUSE", 1};
    s.OptionTable[4] = {"", "verloren", "verloren", 1};  // no name: nothing but "Name="
    std::string entries;
    for (int i = 1; i <= 11; ++i) {
        entries += "[Eintrag" + std::to_string(i) + "]\r\nName=";
        entries +=
            i == 3 ? "Maus für DOS\r\nConfig1=DEVICE=A\r\nConfig2=DEVICE=C\r\nAutoexec1=MOUSE\r\n"
                   : "\r\n";
    }
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(save());
        EXPECT_EQ(files.get(kIni),
                  "[Velkor]\r\nLöschenMSG=-1\r\nStartenMSG=0\r\nSofortStart=0\r\n"
                  "Taskleiste=-1\r\nKonfig1=\r\nKonfig2=C:\\K\\Spiele.vkf\r\n"
                  "Konfig3=\r\nKonfig4=\r\nKonfig5=\r\nKonfig6=\r\nKonfig7=\r\n"
                  "Konfig8=\r\nKonfig9=\r\n" +
                      entries);
        EXPECT_FALSE(files.exists(kNeu));
    }
}

TEST_F(Ini, WhatComesBackAfterSaveAndLoad) {
    std::string lines25;
    for (int i = 1; i <= 25; ++i) appendLine(lines25, "DEVICE=D" + std::to_string(i));
    s.OptionTable[0] = {"Viele", lines25, "A\r\nB\r\n\r\nD", 1};
    s.OptionTable[1] = {std::string(130, 'n'), std::string(200, 'x') + "\r\nzwei", "", 0};
    s.OptionTable[3] = {"Rand", "  eingerückt  \r\n\"C:\\A B\\x.exe\"", "L1\nL2\r\nnach", 0};
    s.ConfigList.slot(4).Path = " C:\\Eigene Dateien\\a b.vkf ";
    ASSERT_TRUE(save());
    State r = reloaded();
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
    EXPECT_EQ(r.ConfigList.slot(4).Path, " C:\\Eigene Dateien\\a b.vkf ");
}

TEST_F(Ini, MissingFileAndBadFlagsGiveDefaults) {
    auto flags = [this] {
        Settings d = reloaded().Settings;
        return std::vector<int>({d.LöschenMSG, d.StartenMSG, d.SofortStart, d.Taskleiste});
    };
    EXPECT_EQ(flags(), std::vector<int>({kOn, kOn, kOff, kOff}));
    files.put(kIni,
              "[Velkor]\r\nLöschenMSG=ja\r\nStartenMSG=5\r\nSofortStart=99999\r\n"
              "Taskleiste=-1\r\n");
    EXPECT_EQ(flags(), std::vector<int>({kOn, 5, kOff, kOn}));  // a number is kept as read
}

TEST_F(Ini, GarbageLoadsWithoutHarm) {
    std::string junk;
    for (int i = 0; i < 200000; ++i) junk += char(i * 131 % 256);
    files.put(kIni, junk + "\r\n[Eintrag1]\r\nName=" + std::string(5000, 'n') + "\r\n");
    EXPECT_EQ(reloaded().OptionTable[0].Name, std::string(128, 'n'));
}

TEST_F(Ini, ListedConfigurationsAreReadAtLoad) {
    files.put("C:\\K\\a.vkf", "00,02\r\nignored");
    files.put("C:\\K\\leer.vkf", "");
    s.ConfigList.slot(5).Path = "C:\\K\\a.vkf";
    s.ConfigList.slot(6).Path = "C:\\K\\fehlt.vkf";
    s.ConfigList.slot(9).Path = "C:\\K\\leer.vkf";
    ASSERT_TRUE(save());
    State r = reloaded();
    EXPECT_EQ(r.ConfigList.slot(5).Selection, "00,02");
    EXPECT_EQ(r.ConfigList.slot(6).Path, "C:\\K\\fehlt.vkf");  // kept, but selects nothing
    EXPECT_EQ(r.ConfigList.slot(6).Selection + r.ConfigList.slot(9).Selection, "");
}

// Every file operation of a save fails in turn, in both ways Windows replaces
// a file; so does a full disk that the system does not report. The user's
// settings are always in Velkor.ini, or in Velkor.neu when the old file is
// gone, and the next start finds them.
TEST_F(Ini, ASaveThatFailsAnywhereLosesNothing) {
    for (int way = 0; way < 3; ++way) {
        int n = 1;
        for (; n <= 20; ++n) {
            Drive t;
            t.files.oneStepReplace = way != 1;
            t.s.OptionTable[0].Name = "Alt";
            ASSERT_TRUE(t.save());
            std::string old = *t.files.get(kIni);
            t.files.setReadOnly(kIni);
            EXPECT_FALSE(t.save());  // a read-only Velkor.ini is kept as it is
            t.files = {};
            t.files.put(kIni, old);
            t.files.oneStepReplace = way != 1;
            t.s.OptionTable[0].Name = "Neu";
            if (way == 2) t.files.diskRoom = old.size();
            t.files.failAt(way == 2 ? 0 : n);
            bool saved = t.save();
            t.files.failAt(0);
            t.files.diskRoom = std::string::npos;
            std::string at = "way " + std::to_string(way) + ", failure at " + std::to_string(n);
            if (saved) {
                EXPECT_EQ(t.reloaded().OptionTable[0].Name, "Neu") << at;
                break;
            }
            if (t.files.exists(kIni)) {
                EXPECT_EQ(*t.files.get(kIni), old) << at;
                EXPECT_FALSE(t.files.exists(kNeu)) << at;
            } else {
                EXPECT_EQ(t.reloaded().OptionTable[0].Name, "Neu") << at;  // completed at load
            }
            if (way == 2) break;
        }
        EXPECT_LT(n, 20) << "way " << way << ": a save never succeeded";
    }
}

}  // namespace
