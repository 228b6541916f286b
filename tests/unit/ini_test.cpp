// Velkor.ini beyond its byte format (which the contract tests pin down
// against the real profile functions): defaults, listed files, and saves that
// fail part-way.
#include <gtest/gtest.h>

#include "fakes/fake_profile.h"
#include "store/ini_store.h"

namespace {

const std::string kIni = "C:\\VELKOR\\Velkor.ini", kNeu = "C:\\VELKOR\\Velkor.neu";

struct Drive {
    FakeFiles files;
    FakeProfile profile{files};
    State s;

    Drive() { s.IniPath = kIni; }
    State reloaded() {
        State r;
        r.IniPath = kIni;
        loadIni(r, profile, files);
        return r;
    }
};

struct Ini : Drive, testing::Test {};

TEST_F(Ini, MissingFileAndBadFlagsGiveDefaults) {
    Settings d = reloaded().Settings;
    EXPECT_EQ(std::vector<int>({d.LöschenMSG, d.StartenMSG, d.SofortStart, d.Taskleiste}),
              std::vector<int>({kOn, kOn, kOff, kOff}));
    files.put(kIni,
              "[Velkor]\r\nLöschenMSG=ja\r\nStartenMSG=5\r\nSofortStart=99999\r\n"
              "Taskleiste=-1\r\n");
    d = reloaded().Settings;
    EXPECT_EQ(std::vector<int>({d.LöschenMSG, d.StartenMSG, d.SofortStart, d.Taskleiste}),
              std::vector<int>({kOn, 5, kOff, kOn}));  // a number is kept as read
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
    ASSERT_TRUE(saveIni(s, profile, files));
    State r = reloaded();
    EXPECT_EQ(r.ConfigList.slot(5).Selection, "00,02");
    EXPECT_EQ(r.ConfigList.slot(6).Path, "C:\\K\\fehlt.vkf");  // kept, but selects nothing
    EXPECT_EQ(r.ConfigList.slot(6).Selection, "");
    EXPECT_EQ(r.ConfigList.slot(9).Selection, "");
}

// Every file operation of a save fails in turn, in both ways Windows replaces
// a file. The user's settings are always in Velkor.ini, or in Velkor.neu when
// the old file is gone, and the next start finds them.
TEST_F(Ini, ASaveThatFailsAnywhereLosesNothing) {
    for (bool oneStep : {true, false}) {
        int n = 1;
        for (; n <= 40; ++n) {
            Drive t;
            t.files.oneStepReplace = oneStep;
            t.s.OptionTable[0].Name = "Alt";
            ASSERT_TRUE(saveIni(t.s, t.profile, t.files));
            std::string old = *t.files.get(kIni);
            t.s.OptionTable[0].Name = "Neu";
            t.files.failAt(n);
            bool saved = saveIni(t.s, t.profile, t.files);
            t.files.failAt(0);
            std::string at = (oneStep ? "one step, " : "9x, ") + std::to_string(n);
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
        }
        EXPECT_LT(n, 40) << "a save never succeeded";
    }
}

TEST_F(Ini, AShortWriteNeverReplacesAGoodFile) {
    s.OptionTable[0] = {"Alt", "DEVICE=ALT.SYS", "", 0};
    ASSERT_TRUE(saveIni(s, profile, files));
    std::string old = *files.get(kIni);
    s.OptionTable[10] = {"Neu", "DEVICE=NEU.SYS", "", 0};
    files.diskRoom = old.size();
    EXPECT_FALSE(saveIni(s, profile, files));
    EXPECT_EQ(*files.get(kIni), old);
    EXPECT_FALSE(files.exists(kNeu));
}

}  // namespace
