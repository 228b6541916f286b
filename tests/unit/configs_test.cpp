// Configurations: files of ticks, the two menus, the arrange dialog and the
// command line.
#include <gtest/gtest.h>

#include "configs/configurations.h"
#include "fakes/recorders.h"
#include "mainwindow/form1.h"

namespace {

const std::string kIni = "C:\\VELKOR\\Velkor.ini";

struct Configs : World, testing::Test {
    State s;
    Configs() {
        s.IniPath = kIni;
        s.Settings = {kOff, kOff, kOff, kOff};
        s.OptionTable[2].Name = "Maus";
    }
    std::vector<int> ticked() const {
        std::vector<int> rows;
        for (int i = 0; i < kOptionCount; ++i)
            if (s.OptionTable[i].Ticked == 1) rows.push_back(i);
        return rows;
    }
    void tick(std::vector<int> rows) {
        for (auto& r : s.OptionTable) r.Ticked = 0;
        for (int i : rows) s.OptionTable[i].Ticked = 1;
    }
};

TEST(Dateiname, TheNameWithoutFolderAndExtension) {
    struct {
        const char *pfad, *name;
    } cases[] = {
        {"C:\\K\\Spiele.vkf", "Spiele"}, {"Spiele.vkf", "Spiele"},
        {"C:\\a.b\\Spiele", "Spiele"},   {"C:\\K\\x", "x"},  // shorter than an extension
        {"C:\\K\\.vkf", ".vkf"},         {"C:\\K\\", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(Dateiname(c.pfad), c.name) << c.pfad;
}

TEST_F(Configs, ListedFilesFillBothMenusPackedAndChoosingOneAppliesItsSlot) {
    s.ConfigList.slot(1).Path = "C:\\K\\Alles.vkf";
    s.ConfigList.slot(4) = {"C:\\K\\Spiele.vkf", "02,05"};
    s.ConfigList.slot(9) = {"C:\\K\\Fehlt.vkf", ""};  // listed, but its file is gone
    FillConfigMenus(s, view);
    EXPECT_EQ(view.menus, std::vector<std::string>({"&1 Alles", "&2 Spiele", "&3 Fehlt"}));
    EXPECT_EQ(s.ConfigList.MenuSlot[1], 4);

    tick({0, 3});
    MKontext_Click(s, p, 1);
    EXPECT_EQ(ticked(), std::vector<int>({2, 5}));
    EXPECT_TRUE(view.ticks[5] && !view.ticks[0]);
    MKontext_Click(s, p, 2);
    EXPECT_EQ(ticked(), std::vector<int>{});
    MKontext_Click(s, p, 3);  // no such entry
    EXPECT_FALSE(s.Changed);
    EXPECT_TRUE(boxes.shown.empty());

    s.ConfigList = {};
    FillConfigMenus(s, view);
    EXPECT_TRUE(view.menus.empty());
}

TEST_F(Configs, FromTheTrayWithAndWithoutSofortStart) {
    files.put("C:\\Config.sys", "");
    files.put("C:\\Autoexec.bat", "");
    s.ConfigList.slot(3) = {"C:\\K\\Spiele.vkf", "02"};
    FillConfigMenus(s, view);
    tray.icon = true;  // in the tray
    MKontext_Click(s, p, 0);
    EXPECT_TRUE(view.visible && !tray.icon);
    EXPECT_EQ(system.reboots, 0);

    tray.icon = true, view.visible = false;
    s.Settings.SofortStart = kOn;
    tick({7});
    MKontext_Click(s, p, 0);
    EXPECT_TRUE(!view.visible && tray.icon);  // stays in the tray throughout
    EXPECT_EQ(system.reboots, 1);
    EXPECT_NE(files.get("C:\\Autoexec.bat")->find("Maus"), std::string::npos);
}

TEST_F(Configs, SavedTicksLoadBackAndFailuresChangeNothing) {
    const std::string vkf = "C:\\K\\Meine.vkf";
    for (auto [rows, bytes] :
         {std::pair{std::vector<int>{2, 5}, "02,05\r\n"}, std::pair{std::vector<int>{}, "\r\n"}}) {
        tick(rows);
        fileDialogs.picks = {vkf};
        MSpeichernU_Click(s, p);
        EXPECT_EQ(files.get(vkf), bytes);
        tick({0, 1, 10});
        fileDialogs.picks = {vkf};
        MLaden_Click(s, p);
        EXPECT_EQ(ticked(), rows);
    }
    EXPECT_EQ(fileDialogs.titles,
              std::vector<std::string>({"Konfiguration speichern", "Konfiguration laden",
                                        "Konfiguration speichern", "Konfiguration laden"}));
    MSpeichernU_Click(s, p);  // cancelled
    MLaden_Click(s, p);
    EXPECT_TRUE(boxes.shown.empty());

    tick({4});
    files.put("C:\\K\\Leer.vkf", "");
    for (const char* bad : {"C:\\K\\Leer.vkf", "C:\\K\\Fehlt.vkf"}) {
        fileDialogs.picks = {bad};
        MLaden_Click(s, p);
    }
    files.setReadOnly(vkf);
    fileDialogs.picks = {vkf};
    MSpeichernU_Click(s, p);
    EXPECT_EQ(ticked(), std::vector<int>{4});
    EXPECT_EQ(files.get(vkf), "\r\n");
    EXPECT_EQ(boxes.titles(), "Konfiguration;Konfiguration;Konfiguration;");
    EXPECT_NE(boxes.shown[1].text.find("C:\\K\\Fehlt.vkf"), std::string::npos);
    EXPECT_FALSE(s.Changed);
    EXPECT_TRUE(view.menus.empty());
}

TEST_F(Configs, TheCommandLineNamesAFileAsItIs) {
    files.put("C:\\Eigene Dateien\\a b.vkf", "00,10\r\n");
    files.put("\"C:\\K\\q.vkf\"", "01");  // a name that really has quotes
    files.put("C:\\K\\q.vkf", "09");
    struct {
        std::string line;
        std::vector<int> ticked;
    } cases[] = {
        {"C:\\Eigene Dateien\\a b.vkf", {0, 10}},
        {"\"C:\\Eigene Dateien\\a b.vkf\"", {0, 10}},
        {"\"C:\\K\\q.vkf\"", {1}},
        {"", {}},
    };
    for (const auto& c : cases) {
        tick({});
        system.arguments = c.line;
        applyCommandLine(s, p);
        EXPECT_EQ(ticked(), c.ticked) << c.line;
    }
    EXPECT_TRUE(boxes.shown.empty());
    system.arguments = "C:\\K\\fehlt.vkf";
    applyCommandLine(s, p);
    EXPECT_EQ(boxes.titles(), "Konfiguration;");
}

TEST_F(Configs, ArrangingTakesOverTheRowsAndReadsEachFileAgain) {
    files.put("C:\\K\\a.vkf", "03\r\n");
    files.put("C:\\K\\b.vkf", "04");
    s.ConfigList.slot(1) = {"C:\\K\\a.vkf", "alt"};
    s.ConfigList.slot(5) = {"C:\\K\\weg.vkf", ""};
    fileDialogs.picks = {"C:\\K\\b.vkf", "C:\\" + std::string(130, 'x') + ".vkf", std::nullopt};
    dialogs.arrange = [](ConfigRows& rows, const auto& pick) {
        rows[0] = "";              // "X"
        rows[2] = *pick();         // "..."
        EXPECT_FALSE(pick());      // too long for Velkor.ini: told, the row keeps its path
        EXPECT_FALSE(pick());      // cancelled
        rows[8] = "C:\\K\\a.vkf";  // the same file twice
        rows[3] = "C:\\K\\a.vkf";
        return true;
    };
    Anordnen(s, p);
    EXPECT_EQ(dialogs.arranged[0][0], "C:\\K\\a.vkf");
    EXPECT_EQ(s.ConfigList.slot(3).Path, "C:\\K\\b.vkf");
    EXPECT_EQ(s.ConfigList.slot(4).Selection, "03");  // read again
    EXPECT_EQ(s.ConfigList.slot(5).Selection, "");
    EXPECT_EQ(view.menus, std::vector<std::string>({"&1 b", "&2 a", "&3 weg", "&4 a"}));
    EXPECT_TRUE(s.Changed);
    ASSERT_EQ(boxes.titles(), "Konfiguration;Konfiguration;");  // the long path, the lost file
    EXPECT_TRUE(boxes.shown[1].text.ends_with("\rC:\\K\\weg.vkf"));

    State before = s;
    s.Changed = false;
    dialogs.arrange = [](ConfigRows& rows, const auto&) { return rows[1] = "x", false; };
    Anordnen(s, p);
    EXPECT_EQ(s.ConfigList.slot(2).Path, before.ConfigList.slot(2).Path);
    EXPECT_FALSE(s.Changed);
}

}  // namespace
