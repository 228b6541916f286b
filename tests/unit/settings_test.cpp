// The settings dialog's flags, the ".vkf" registration and the about box's
// link, where the end-to-end tests cannot go.
#include <gtest/gtest.h>

#include "dialogs/about_box.h"
#include "dialogs/settings_dialog.h"
#include "fakes/recorders.h"
#include "registry/file_type.h"

namespace {

// A hand-edited flag that is neither on nor off is off, as the restart reads it.
TEST(Settings, AFlagThatIsNeitherOnNorOffShowsAndIsStoredAsOff) {
    SettingsChecks shown = checksOf({1, 1, 1, 1});
    EXPECT_TRUE(!shown.startInTray && shown.noDeleteQuestion && shown.noRestartNotice &&
                !shown.restartOnChoice);
    Settings back = settingsOf(shown);
    for (auto flag :
         {back.askBeforeDeleting, back.noticeBeforeRestart, back.restartOnChoice, back.startInTray})
        EXPECT_EQ(flag, kOff);
}

TEST(Settings, ARefusedRegistrationIsToldAndTheFlagsAreTakenOverAnyway) {
    World w;
    State s;
    w.dialogs.settingsReply = SettingsChecks{true, false, false, false, true};
    w.registry.failAt = 1;
    editSettings(s, w.p);
    EXPECT_EQ(w.boxes.titles(), "Einstellungen;");
    EXPECT_TRUE(s.changed);
    EXPECT_EQ(s.settings.startInTray, kOn);
}

TEST(Registration, StopsAtTheFirstRefusedStepAndKeepsWhatWasWritten) {
    FakeRegistry complete;
    ASSERT_TRUE(registerVkfFiles(complete, "C:\\"));
    EXPECT_EQ(complete.keys["vkffile\\DefaultIcon"][""], "\"C:\\Velkor.exe\",0");  // one "\"
    EXPECT_EQ(complete.keys["vkffile\\Shell"][""], "Öffnen");  // the default verb
    ASSERT_GE(complete.log.size(), 3u);
    EXPECT_EQ(complete.log[0], "create .vkf 131095");  // 0x20017
    EXPECT_EQ(complete.log[2], "open .vkf 131091");    // 0x20013
    for (std::size_t n = 1; n <= complete.log.size(); ++n) {
        FakeRegistry r;
        r.failAt = static_cast<int>(n);
        EXPECT_FALSE(registerVkfFiles(r, "C:\\")) << n;
        ASSERT_GE(r.log.size(), n);
        bool closing = r.log[n - 1].starts_with("set");  // a key opened is closed again
        EXPECT_EQ(r.log.size(), n + closing) << n;
        for (const auto& [key, values] : r.keys) EXPECT_TRUE(complete.keys.count(key)) << key;
    }
}

TEST(About, WithoutAMailProgramTheAddressIsShown) {
    World w;
    w.dialogs.clickLink = true;
    w.system.mailProgram = false;
    showAboutBox(w.p);
    EXPECT_EQ(w.system.links, std::vector<std::string>{"mailto:velkor@example.org"});
    ASSERT_EQ(w.boxes.titles(), "Info;");
    EXPECT_TRUE(w.boxes.shown[0].text.ends_with("\rvelkor@example.org"));
}

}  // namespace
