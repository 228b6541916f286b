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

TEST_F(Store, ListedConfigurationsAreReadAtLoad) {
    files.put("C:\\K\\a.vkf", "00,02\r\nignored");
    files.put("C:\\K\\leer.vkf", "");
    configs.slot(5).Path = "C:\\K\\a.vkf";
    configs.slot(6).Path = "C:\\K\\missing.vkf";
    configs.slot(9).Path = "C:\\K\\leer.vkf";
    ASSERT_TRUE(saveIni(profile, files, kIni, state));
    reload();
    EXPECT_EQ(configs.slot(5).Selection, "00,02");
    EXPECT_EQ(configs.slot(6).Path, "C:\\K\\missing.vkf");  // kept, but selects nothing
    EXPECT_EQ(configs.slot(6).Selection, "");
    EXPECT_EQ(configs.slot(9).Selection, "");
    EXPECT_EQ(configs.slot(1).Path, "");
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

TEST_F(Store, AnInterruptedReplaceIsFinishedAtLoad) {
    files.put("C:\\VELKOR\\Velkor.neu", "[Eintrag1]\r\nName=Gerettet\r\n");
    reload();
    EXPECT_EQ(table[0].Name, "Gerettet");
    EXPECT_TRUE(files.exists(kIni));
}

}  // namespace
