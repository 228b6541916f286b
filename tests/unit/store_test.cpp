#include <gtest/gtest.h>

#include "fakes/fake_profile.h"
#include "store/ini_path.h"
#include "store/ini_store.h"
#include "store/lines.h"
#include "store/selection.h"

namespace {

const std::string kIni = "C:\\VELKOR\\Velkor.ini";

struct Store : testing::Test {
    FakeFiles files;
    FakeProfile profile{files};
    OptionTable table;
    Settings settings;
    ConfigList configs;
    StoreState state{table, settings, configs};

    void reload() {
        table = {};
        settings = {};
        configs = {};
        loadIni(profile, files, kIni, state);
    }
};

TEST(Lines, SplitFollowsCarriageReturnsOnly) {
    struct {
        std::string text;
        std::vector<std::string> lines;
    } cases[] = {
        {"", {}},
        {"A", {"A"}},
        {"A\r\nB", {"A", "B"}},
        {"A\r\nB\r\n", {"A", "B"}},      // no empty last line
        {"A\r\n\r\nC", {"A", "", "C"}},  // an empty line inside is kept
        {"A\nB\r\nC", {"A\nB", "C"}},    // a lone LF stays in its line
        {"A\rB", {"A"}},                 // a lone CR swallows the next character
    };
    for (const auto& c : cases) EXPECT_EQ(splitLines(c.text, 20), c.lines) << c.text;
}

TEST(Lines, SplitStopsAtTheLimit) {
    std::string text;
    for (int i = 1; i <= 25; ++i) appendLine(text, "L" + std::to_string(i));
    auto lines = splitLines(text, 20);
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines.back(), "L20");
}

TEST(Selection, WrittenAscendingWithTwoDigits) {
    OptionTable t;
    EXPECT_EQ(selectionOf(t), "");
    t[1].Ticked = t[10].Ticked = 1;
    EXPECT_EQ(selectionOf(t), "01,10");
    t[0].Ticked = t[3].Ticked = 1;
    EXPECT_EQ(selectionOf(t), "00,01,03,10");
}

TEST(Selection, ReadingTicksOnlyWhatItNames) {
    struct {
        std::string text;
        std::vector<int> ticked;
    } cases[] = {
        {"", {}},           {"07", {7}},       {"00,03,10", {0, 3, 10}},
        {"01,10", {1, 10}}, {"0", {}},          // a lone digit is no number
        {"11,99,05", {5}},                      // outside 0..10
        {"x1,0a,02", {2}},                      // not digits
        {"-1,+2,03", {3}},  {"03;04", {3, 4}},  // separators are never looked at
        {"02,", {2}},
    };
    for (const auto& c : cases) {
        OptionTable t;
        for (auto& r : t) r.Ticked = 1;
        applySelection(t, c.text);
        std::vector<int> ticked;
        for (int i = 0; i < kOptionCount; ++i)
            if (t[i].Ticked) ticked.push_back(i);
        EXPECT_EQ(ticked, c.ticked) << c.text;
    }
}

TEST(IniPath, RootFolderGetsNoSecondBackslash) {
    EXPECT_EQ(iniPathFor("C:\\TOOLS"), "C:\\TOOLS\\Velkor.ini");
    EXPECT_EQ(iniPathFor("C:\\"), "C:\\Velkor.ini");
}

TEST_F(Store, SaveWritesTheWholeStateInOrder) {
    settings = {kOn, kOff, kOff, kOn};
    configs.slot(2).Path = "C:\\K\\Spiele.vkf";
    table[2] = {"Maus", "DEVICE=A\r\nDEVICE=B", "MOUSE", 1};
    table[4] = {"", "lost", "lost", 0};
    ASSERT_TRUE(saveIni(profile, files, kIni, state));
    std::string expected =
        "[Velkor]\r\nLöschenMSG=-1\r\nStartenMSG=0\r\nSofortStart=0\r\nTaskleiste=-1\r\n"
        "Konfig1=\r\nKonfig2=C:\\K\\Spiele.vkf\r\nKonfig3=\r\nKonfig4=\r\nKonfig5=\r\n"
        "Konfig6=\r\nKonfig7=\r\nKonfig8=\r\nKonfig9=\r\n"
        "[Eintrag1]\r\nName=\r\n[Eintrag2]\r\nName=\r\n"
        "[Eintrag3]\r\nName=Maus\r\nConfig1=DEVICE=A\r\nConfig2=DEVICE=B\r\nAutoexec1=MOUSE\r\n"
        "[Eintrag4]\r\nName=\r\n[Eintrag5]\r\nName=\r\n[Eintrag6]\r\nName=\r\n[Eintrag7]\r\nName="
        "\r\n"
        "[Eintrag8]\r\nName=\r\n[Eintrag9]\r\nName=\r\n[Eintrag10]\r\nName=\r\n[Eintrag11]\r\nName="
        "\r\n";
    EXPECT_EQ(files.get(kIni), expected);
    EXPECT_FALSE(files.exists("C:\\VELKOR\\Velkor.neu"));
}

TEST_F(Store, WhatSurvivesSaveAndReload) {
    std::string lines25;
    for (int i = 1; i <= 25; ++i) appendLine(lines25, "DEVICE=D" + std::to_string(i));
    table[0] = {"Viele", lines25, "A\r\nB\r\n\r\nD", 1};
    table[1] = {"Lang", std::string(200, 'x'), "", 0};
    table[2] = {"", "weg", "weg", 0};
    files.put("C:\\K\\a.vkf", "00,02\r\nignored");
    configs.slot(5).Path = "C:\\K\\a.vkf";
    configs.slot(6).Path = "C:\\K\\missing.vkf";
    ASSERT_TRUE(saveIni(profile, files, kIni, state));
    reload();

    EXPECT_EQ(splitLines(table[0].ConfigLines, 99).size(), 20u);
    EXPECT_EQ(table[0].AutoexecLines, "A\r\nB");  // the empty third line ends the list
    EXPECT_EQ(table[0].Ticked, 0);                // ticks are never stored
    EXPECT_EQ(table[1].ConfigLines, std::string(128, 'x'));
    EXPECT_EQ(table[2].Name, "");
    EXPECT_EQ(table[2].ConfigLines, "");
    EXPECT_EQ(configs.slot(5).Selection, "00,02");
    EXPECT_EQ(configs.slot(6).Path, "C:\\K\\missing.vkf");
    EXPECT_EQ(configs.slot(6).Selection, "");
}

TEST_F(Store, SavingTwiceGivesTheSameFileAndDropsStaleKeys) {
    table[0] = {"A", "1\r\n2\r\n3\r\n4\r\n5", "", 0};
    ASSERT_TRUE(saveIni(profile, files, kIni, state));
    table[0].ConfigLines = "1\r\n2";
    ASSERT_TRUE(saveIni(profile, files, kIni, state));
    std::string once = *files.get(kIni);
    ASSERT_TRUE(saveIni(profile, files, kIni, state));
    EXPECT_EQ(files.get(kIni), once);
    EXPECT_EQ(once.find("Config3"), std::string::npos);
}

TEST_F(Store, MissingFileAndBadFlagsGiveDefaults) {
    reload();
    EXPECT_EQ(settings.LöschenMSG, kOn);
    EXPECT_EQ(settings.StartenMSG, kOn);
    EXPECT_EQ(settings.SofortStart, kOff);
    EXPECT_EQ(settings.Taskleiste, kOff);

    files.put(
        kIni,
        "[Velkor]\r\nLöschenMSG=ja\r\nStartenMSG=5\r\nSofortStart=99999\r\nTaskleiste=-1\r\n");
    reload();
    EXPECT_EQ(settings.LöschenMSG, kOn);
    EXPECT_EQ(settings.StartenMSG, 5);  // kept as read
    EXPECT_EQ(settings.SofortStart, kOff);
    EXPECT_EQ(settings.Taskleiste, kOn);
}

TEST_F(Store, GarbageLoadsWithoutHarm) {
    std::string junk;
    for (int i = 0; i < 200000; ++i) junk += char(i * 131 % 256);
    files.put(kIni, junk + "\r\n[Eintrag1]\r\nName=" + std::string(5000, 'n') + "\r\n");
    reload();
    EXPECT_EQ(table[0].Name, std::string(128, 'n'));
}

TEST_F(Store, FailedSaveKeepsTheOldFile) {
    table[0].Name = "Alt";
    ASSERT_TRUE(saveIni(profile, files, kIni, state));
    std::string old = *files.get(kIni);
    table[0].Name = "Neu";
    for (int n = 1; n <= 40; ++n) {
        files.failAt(n);
        bool saved = saveIni(profile, files, kIni, state);
        files.failAt(0);
        std::string now = *files.get(kIni);
        if (saved) {
            EXPECT_NE(now, old);
            break;
        }
        EXPECT_EQ(now, old) << "failure at call " << n;
        EXPECT_FALSE(files.exists("C:\\VELKOR\\Velkor.neu")) << n;
    }
}

TEST_F(Store, ReadOnlyFileIsNotReplaced) {
    ASSERT_TRUE(saveIni(profile, files, kIni, state));
    files.setReadOnly(kIni);
    table[0].Name = "Neu";
    EXPECT_FALSE(saveIni(profile, files, kIni, state));
    reload();
    EXPECT_EQ(table[0].Name, "");
}

TEST_F(Store, AnInterruptedReplaceIsFinishedAtLoad) {
    files.put("C:\\VELKOR\\Velkor.neu", "[Eintrag1]\r\nName=Gerettet\r\n");
    reload();
    EXPECT_EQ(table[0].Name, "Gerettet");
    EXPECT_TRUE(files.exists(kIni));
}

}  // namespace
