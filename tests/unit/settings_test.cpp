// The settings dialog, the ".vkf" registration and the about box.
#include <gtest/gtest.h>

#include "dialogs/about.h"
#include "dialogs/settings.h"
#include "fakes/recorders.h"
#include "registry/file_type.h"

namespace {

using Values = std::map<std::string, std::map<std::string, std::string>>;

// What a registration of C:\VELKOR\Velkor.exe leaves below HKEY_CLASSES_ROOT.
const Values kRegistered = {
    {".vkf", {{"", "vkffile"}}},
    {"vkffile", {{"", "MS-DOS-Velkor-Datei"}}},
    {"vkffile\\DefaultIcon", {{"", "\"C:\\VELKOR\\Velkor.exe\",0"}}},
    {"vkffile\\Shell", {}},
    {"vkffile\\Shell\\\xD6"
     "ffnen",
     {}},
    {"vkffile\\Shell\\\xD6"
     "ffnen\\command",
     {{"", "\"C:\\VELKOR\\Velkor.exe\" %1"}}},
};

TEST(Settings, TwoBoxesShowTheirFlagInverted) {
    struct {
        Settings flags;
        SettingsChecks checks;
    } cases[] = {
        {{kOn, kOn, kOn, kOn}, {true, false, false, true, false}},
        {{kOff, kOff, kOff, kOff}, {false, true, true, false, false}},
        {{5, 5, 5, 5}, {false, false, false, false, false}},  // hand-edited: neither
    };
    for (const auto& c : cases) {
        SettingsChecks shown = checksOf(c.flags);
        EXPECT_EQ(std::vector<bool>({shown.inTaskleisteStarten, shown.keineLoeschenMeldung,
                                     shown.keineNeustartMeldung, shown.sofortStarten}),
                  std::vector<bool>({c.checks.inTaskleisteStarten, c.checks.keineLoeschenMeldung,
                                     c.checks.keineNeustartMeldung, c.checks.sofortStarten}));
        Settings back = settingsOf(shown);
        EXPECT_TRUE(back.LöschenMSG == kOn || back.LöschenMSG == kOff);
        EXPECT_EQ(checksOf(back).keineLoeschenMeldung, shown.keineLoeschenMeldung);
    }
}

TEST(Settings, TakenOverTheFlagsAreSetAndTheFileTypeRegisteredOnRequest) {
    World w;
    State s;
    Command6_Click(s, w.p);  // cancelled
    EXPECT_FALSE(s.Changed);
    EXPECT_EQ(s.Settings.LöschenMSG, kOn);

    w.dialogs.settingsReply = SettingsChecks{true, true, false, true, false};
    Command6_Click(s, w.p);
    EXPECT_TRUE(s.Changed);
    EXPECT_EQ(std::vector<int>({s.Settings.LöschenMSG, s.Settings.StartenMSG,
                                s.Settings.SofortStart, s.Settings.Taskleiste}),
              std::vector<int>({kOff, kOn, kOn, kOn}));
    EXPECT_TRUE(w.registry.keys.empty());

    w.dialogs.settingsReply->dateitypRegistrieren = true;
    for (int round = 0; round < 2; ++round) Command6_Click(s, w.p);  // twice: the same
    EXPECT_EQ(w.registry.keys, kRegistered);
    EXPECT_FALSE(w.dialogs.settingsShown.back().dateitypRegistrieren);  // never ticked at opening

    w.registry.failAt = 1;
    s = State{};
    Command6_Click(s, w.p);
    EXPECT_EQ(w.boxes.titles(), "Einstellungen;");
    EXPECT_TRUE(s.Changed);
    EXPECT_EQ(s.Settings.Taskleiste, kOn);
}

TEST(Registration, StopsAtTheFirstRefusedStepAndKeepsWhatWasWritten) {
    FakeRegistry complete;
    ASSERT_TRUE(registerVkfFiles(complete, "C:\\VELKOR"));
    std::size_t steps = complete.log.size();
    EXPECT_EQ(complete.log.front(), "create .vkf 131095");  // 0x20017
    EXPECT_EQ(complete.log[2], "open .vkf 131091");         // 0x20013
    for (std::size_t n = 1; n <= steps; ++n) {
        FakeRegistry r;
        r.failAt = static_cast<int>(n);
        EXPECT_FALSE(registerVkfFiles(r, "C:\\VELKOR")) << n;
        EXPECT_EQ(r.log.size(), n + (r.log[n - 1].starts_with("set") ? 1 : 0)) << n;
        for (const auto& [key, values] : r.keys) EXPECT_TRUE(kRegistered.count(key)) << key;
    }
    FakeRegistry root;
    ASSERT_TRUE(registerVkfFiles(root, "C:\\"));
    EXPECT_EQ(root.keys["vkffile\\DefaultIcon"][""], "\"C:\\Velkor.exe\",0");

    FakeRegistry bare;  // no description and no icon: their values are skipped
    ASSERT_TRUE(DateitypRegistrieren(bare, ".x", "xfile", "", "", "open", "x %1"));
    EXPECT_TRUE(bare.keys["xfile"].empty() && bare.keys.count("xfile\\DefaultIcon"));
}

TEST(About, TheLinkOpensMailOrShowsTheAddress) {
    World w;
    w.dialogs.clickLink = true;
    MUeber_Click(w.p);
    EXPECT_EQ(w.system.links, std::vector<std::string>{"mailto:velkor@example.org"});
    EXPECT_TRUE(w.boxes.shown.empty());
    w.system.mailProgram = false;
    MUeber_Click(w.p);
    ASSERT_EQ(w.boxes.titles(), "Info;");
    EXPECT_TRUE(w.boxes.shown[0].text.ends_with("\rvelkor@example.org"));
    EXPECT_EQ(contactText(), "Velkor-Projekt <velkor@example.org>");
    EXPECT_EQ(versionText(), "Version 2.0");
}

}  // namespace
