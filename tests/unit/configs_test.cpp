// Configurations at their edges; the usual ways through the menus and the
// arrange dialog are the end-to-end tests'.
#include <gtest/gtest.h>

#include "configs/arrange_dialog.h"
#include "configs/configurations.h"
#include "fakes/recorders.h"
#include "store/ini_store.h"
#include "store/selection.h"

namespace {

struct Configs : World, testing::Test {
    State s;
    std::string ticked() const { return selectionOf(s.options); }
};

TEST(ConfigName, TheNameWithoutFolderAndExtension) {
    struct {
        const char *path, *name;
    } cases[] = {
        {"C:\\K\\Spiele.vkf", "Spiele"}, {"Spiele.vkf", "Spiele"},
        {"C:\\a.b\\Spiele", "Spiele"},   {"C:\\K\\x", "x"},  // shorter than an extension
        {"C:\\K\\.vkf", ".vkf"},         {"C:\\K\\", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(configName(c.path), c.name) << c.path;
}

TEST_F(Configs, TheMenusShowAFileNameAsTyped) {
    s.configs.slot(2).path = "C:\\K\\Spiele & Spaß.vkf";
    fillConfigMenus(s, view);
    EXPECT_EQ(view.menus, std::vector<std::string>{"&1 Spiele && Spaß"});
}

TEST_F(Configs, AListedFileThatCouldNotBeReadIsToldWhenChosen) {
    s.iniPath = "C:\\VELKOR\\Velkor.ini";
    files.put(s.iniPath, "[Velkor]\r\nSofortStart=-1\r\nKonfig1=A:\\Spiele.vkf\r\n");
    loadIni(s, files);  // the floppy drive is empty
    fillConfigMenus(s, view);
    s.options[4].ticked = 1;
    listedSelection(s, p, 0);
    EXPECT_EQ(ticked(), "04");  // nor is the restart begun
    ASSERT_EQ(boxes.titles(), "Konfiguration;");
    EXPECT_NE(boxes.shown[0].text.find("A:\\Spiele.vkf"), std::string::npos);
}

TEST_F(Configs, FilesOfTicksAndWhatFailsWithThem) {
    const std::string vkf = "C:\\K\\Meine.vkf";
    fileDialogs.picks = {vkf, vkf};
    saveConfigurationAs(s, p);  // nothing ticked: an empty line, which unticks all
    EXPECT_EQ(files.get(vkf), "\r\n");
    s.options[4].ticked = 1;
    loadConfiguration(s, p);
    EXPECT_EQ(ticked(), "");

    s.options[4].ticked = 1;
    files.setReadOnly(vkf);
    files.oneStepReplace = false;  // where a rename in its steps would move a read-only file
    fileDialogs.picks = {vkf};
    saveConfigurationAs(s, p);  // refused: the old file stays
    loadConfiguration(s, p);    // cancelled: nothing at all
    EXPECT_EQ(files.get(vkf), "\r\n");
    EXPECT_EQ(ticked(), "04");
    EXPECT_FALSE(s.changed);
    // Only a list of options is applied; any other first line is told (one
    // message each, after the one for the refused save) and keeps the ticks.
    for (const char* bytes : {"04,10 \x1A\n0", "\x89PNG", "[Velkor]", "00,11", "00,03,", "00;03"}) {
        files.put(vkf, bytes);
        fileDialogs.picks = {vkf};
        loadConfiguration(s, p);
    }
    EXPECT_EQ(ticked(), "04,10");
    EXPECT_EQ(boxes.shown.size(), 6u);
}

// A slot given another file is read again; a path too long for Velkor.ini is refused.
TEST_F(Configs, ArrangedSlotsAreReadAgain) {
    files.put("C:\\K\\b.vkf", "02\r\n");
    s.configs.slot(1) = {"C:\\K\\a.vkf", "01"};
    fileDialogs.picks = {"C:\\" + std::string(130, 'x') + ".vkf", "C:\\K\\b.vkf"};
    dialogs.arrange = [](ConfigRows& rows, const auto& pick) {
        return !pick() && (rows[0] = pick().value_or(""), true);
    };
    arrangeConfigurations(s, p);
    EXPECT_EQ(boxes.titles(), "Konfiguration;");
    EXPECT_EQ(listedSelection(s, p, 0), "02");
}

}  // namespace
