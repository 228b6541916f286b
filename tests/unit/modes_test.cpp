// The window shown, or hidden with the icon in the notification area.
#include <gtest/gtest.h>

#include "fakes/recorders.h"
#include "mainwindow/form1.h"
#include "mainwindow/window_modes.h"

namespace {

const std::string kIni = "C:\\VELKOR\\Velkor.ini";

TEST(Tray, OnlyTheIconsRightButtonPressOpensTheMenu) {
    for (bool visible : {false, true}) {
        for (int x = 0x200; x <= 0x206; ++x) {
            for (int button : {1, kRightButton}) {
                World w;
                w.view.visible = visible;
                Form_MouseDown(w.p, button, x);
                bool opens = !visible && button == kRightButton && x == 0x204;
                EXPECT_EQ(w.view.contextMenus, opens ? 1 : 0)
                    << visible << " " << x << " " << button;
            }
        }
    }
}

// After every handler the icon exists exactly while the window is hidden.
TEST(Tray, TheIconExistsExactlyWhileTheWindowIsHidden) {
    World w;
    w.files.put(kIni, "[Velkor]\r\nTaskleiste=-1\r\n");
    Form1 f{w.p};
    auto check = [&](const char* after) { EXPECT_NE(w.tray.icon, w.view.visible) << after; };
    f.Form_Load();
    EXPECT_TRUE(w.tray.prepared && w.tray.icon) << "started in the tray";
    check("start");
    f.MFenster_Click();
    check("Fenster");
    EXPECT_TRUE(w.view.visible);
    f.Command5_Click();
    f.MTaskleiste_Click();
    check("Taskleiste twice");
    w.tray.icon = false;  // Explorer started again
    f.TaskbarCreated();
    check("TaskbarCreated");
    w.tray.icon = false;
    w.tray.refuses = true;
    f.TaskbarCreated();
    check("TaskbarCreated refused");
    EXPECT_TRUE(w.view.visible);
    f.Command5_Click();
    check("Taskleiste refused");
    w.tray.refuses = false;
    f.Command5_Click();
    w.dialogs.accept = true;
    f.Command1_Click(0);  // an unsaved edit
    w.boxes.answers = {Answer::Cancel};
    f.MKBeenden_Click();
    check("Beenden from the tray, then Cancel");
    EXPECT_EQ(w.view.ended, 0);
    w.boxes.answers = {Answer::No};
    f.MKBeenden_Click();
    EXPECT_EQ(w.view.ended, 1);
}

TEST(Tray, AnIconTheTaskBarRefusesAtStartLeavesTheWindowShown) {
    World w;
    w.files.put(kIni, "[Velkor]\r\nTaskleiste=-1\r\n");
    w.tray.refuses = true;
    Form1 f{w.p};
    f.Form_Load();
    EXPECT_TRUE(w.view.visible);
}

}  // namespace
