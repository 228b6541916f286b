// The main window's decisions that the end-to-end tests cannot reach: Windows
// shutting down, and each kind of click on the notification-area icon in each mode.
#include <gtest/gtest.h>

#include "fakes/recorders.h"
#include "mainwindow/main_window.h"
#include "mainwindow/window_modes.h"

namespace {

const std::string kIni = "C:\\VELKOR\\Velkor.ini";

struct Started : World {
    MainWindow window{p};
    explicit Started(const std::string& ini = "") {
        files.put(kIni, ini + "[Eintrag1]\r\nName=Maus\r\n");
        window.start();
    }
    void edit() {
        dialogs.accept = true;
        dialogs.reply = {"Neu", "", ""};
        window.editOption(5);
    }
};

// The save question is the close box's (the editing story's); here, that
// Windows' shutdown asks it, and not during Velkor's own restart.
TEST(Shutdown, AsksAboutUnsavedEditsUnlessItIsOurOwnRestart) {
    Started w;
    w.window.tick(0, true);
    EXPECT_TRUE(w.window.mayEndSession());  // ticks are no change: nothing to ask
    w.edit();
    w.boxes.answers = {Answer::Cancel};
    EXPECT_FALSE(w.window.mayEndSession());
    w.window.save();  // saved: nothing left to ask
    EXPECT_TRUE(w.window.mayEndSession());
    EXPECT_EQ(w.boxes.titles(), "Speichern;");
    w.edit();
    w.files.put("C:\\Config.sys", "");
    w.boxes.answers = {Answer::No, Answer::Yes, Answer::Ok};  // not saved, delete, notice
    w.window.restart();
    w.boxes.shown.clear();
    EXPECT_TRUE(w.window.mayEndSession());
    EXPECT_TRUE(w.boxes.shown.empty());
}

// Only a right-button press opens the icon's menu; while a modal window is
// open, every click brings that window forward instead; a move does nothing.
TEST(Tray, WhatAClickOnTheIconDoes) {
    enum Does { Nothing, Menu, Forward };
    using enum IconClick;
    struct {
        bool visible, modal;
        IconClick click;
        Does does;
    } cases[] = {{false, false, RightPress, Menu},   {false, false, OtherClick, Nothing},
                 {false, true, OtherClick, Forward}, {false, true, NotAClick, Nothing},
                 {true, false, RightPress, Nothing}, {true, true, OtherClick, Nothing}};
    for (const auto& c : cases) {
        World w;
        w.view.visible = c.visible;
        w.view.modal = c.modal;
        answerIconClick(w.p, c.click);
        Does did = w.view.trayMenus ? Menu : w.view.broughtForward ? Forward : Nothing;
        EXPECT_EQ(did, c.does) << c.visible << c.modal << int(c.click);
    }
}

// A second start for the same Velkor.ini, and the icon's menu, while Velkor
// waits in the icon: with restartOnChoice only a menu's configuration restarts at
// once; a handed-over file ticks as at a start, the window in front.
TEST(StartedAgain, AModalWindowComesForwardAndAFileOnlyTicks) {
    World w;
    w.files.put("C:\\K\\a.vkf", "00\r\n");
    w.files.put(kIni,
                "[Velkor]\r\nTaskleiste=-1\r\nSofortStart=-1\r\nLöschenMSG=0\r\n"
                "StartenMSG=0\r\nKonfig1=C:\\K\\a.vkf\r\n[Eintrag1]\r\nName=Maus\r\n");
    MainWindow window{w.p};
    window.start();
    window.chooseConfiguration(0);
    EXPECT_FALSE(w.view.visible);  // the restart begun from the icon
    w.view.modal = true;
    window.startedAgain("C:\\K\\a.vkf");
    EXPECT_EQ(w.view.broughtForward, 1);
    w.view.modal = false;
    window.startedAgain("\"C:\\K\\a.vkf\"");
    EXPECT_TRUE(w.view.visible && !w.tray.icon);
    window.startedAgain("C:\\K\\fehlt.vkf");
    EXPECT_EQ(w.boxes.titles(), "Konfiguration;");  // for the missing file only
    EXPECT_EQ(w.system.reboots, 1);                 // the menu's
}

// After every handler the icon exists exactly while the window is hidden.
TEST(Tray, TheIconExistsExactlyWhileTheWindowIsHidden) {
    Started w("[Velkor]\r\nTaskleiste=-1\r\n");
    auto check = [&](const char* after) { EXPECT_NE(w.tray.icon, w.view.visible) << after; };
    EXPECT_TRUE(w.tray.prepared && w.tray.icon) << "started in the tray";
    w.tray.icon = false;  // Explorer started again
    w.window.taskbarRestarted();
    check("TaskbarCreated");
    w.tray.icon = false;
    w.tray.refuses = true;
    w.window.taskbarRestarted();
    check("TaskbarCreated refused");
    EXPECT_TRUE(w.view.visible);
    w.window.hideInTray();
    check("Taskleiste refused");
    w.tray.refuses = false;
    w.window.taskbarRestarted();  // Explorer started again, the window shown
    check("TaskbarCreated, the window shown");

    World refused;  // an icon refused at start leaves the window shown
    refused.files.put(kIni, "[Velkor]\r\nTaskleiste=-1\r\n");
    refused.tray.refuses = true;
    MainWindow{refused.p}.start();
    EXPECT_TRUE(refused.view.visible);
}

}  // namespace
