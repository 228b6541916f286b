// Velkor.ini through loadIni and saveIni, the same bytes on the fake and under
// Wine. See profile_contract.h for what a world provides.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "store/ini_store.h"
#include "store/lines.h"

template <typename World>
struct StoreContract : testing::Test {
    World world;
    State s;
    OptionTable& table = s.OptionTable;
    std::string& ini = s.IniPath;

    StoreContract() { ini = world.folder() + "Velkor.ini"; }
    bool save() { return saveIni(s, world.profile(), world.files()); }
    void reload() {
        State fresh;
        fresh.IniPath = ini;
        s = fresh;
        loadIni(s, world.profile(), world.files());
    }
    std::string bytes() { return world.files().read(ini, 1 << 20).value_or("<missing>"); }

    // What a save of the state that `fill` sets up writes.
    std::string savedFile() {
        std::string vkf = world.folder() + "Spiele.vkf";
        return "[Velkor]\r\nLöschenMSG=-1\r\nStartenMSG=0\r\nSofortStart=0\r\nTaskleiste=-1\r\n"
               "Konfig1=\r\nKonfig2=" +
               vkf +
               "\r\nKonfig3=\r\nKonfig4=\r\nKonfig5=\r\n"
               "Konfig6=\r\nKonfig7=\r\nKonfig8=\r\nKonfig9=\r\n"
               "[Eintrag1]\r\nName=\r\n[Eintrag2]\r\nName=\r\n"
               "[Eintrag3]\r\nName=Maus für "
               "DOS\r\nConfig1=DEVICE=A\r\nConfig2=DEVICE=C\r\n"
               "Autoexec1=MOUSE\r\n"
               "[Eintrag4]\r\nName=\r\n[Eintrag5]\r\nName=\r\n[Eintrag6]\r\nName=\r\n[Eintrag7]"
               "\r\nName=\r\n"
               "[Eintrag8]\r\nName=\r\n[Eintrag9]\r\nName=\r\n[Eintrag10]\r\nName=\r\n"
               "[Eintrag11]\r\nName=Letzte\r\nAutoexec1=ECHO 11\r\n";
    }
    void fill() {
        s.Settings = {kOn, kOff, kOff, kOn};
        s.ConfigList.slot(2).Path = world.folder() + "Spiele.vkf";
        table[2] = {"Maus für DOS", "DEVICE=A\r\n\r\nDEVICE=C\r\n", "MOUSE", 1};
        table[4] = {"", "verloren", "verloren", 1};  // no name: nothing but "Name="
        table[10] = {"Letzte", "", "ECHO 11", 0};
    }
};

TYPED_TEST_SUITE_P(StoreContract);

TYPED_TEST_P(StoreContract, SaveWritesTheseExactBytes) {
    this->fill();
    ASSERT_TRUE(this->save());
    EXPECT_EQ(this->bytes(), this->savedFile());
    EXPECT_FALSE(this->world.files().exists(this->world.folder() + "Velkor.neu"));
}

TYPED_TEST_P(StoreContract, EverySaveRecreatesTheFile) {
    this->fill();
    ASSERT_TRUE(this->world.files().write(
        this->ini,
        "; von Hand\r\n[Fremd]\r\nx=1\r\n[Eintrag3]\r\nConfig9=alt\r\nAutoexec4=alt\r\n"));
    ASSERT_TRUE(this->save());
    EXPECT_EQ(this->bytes(), this->savedFile());
    ASSERT_TRUE(this->save());
    EXPECT_EQ(this->bytes(), this->savedFile());
}

TYPED_TEST_P(StoreContract, WhatComesBackAfterSaveAndLoad) {
    std::string lines25;
    for (int i = 1; i <= 25; ++i) appendLine(lines25, "DEVICE=D" + std::to_string(i));
    this->table[0] = {"Viele", lines25, "A\r\nB\r\n\r\nD", 1};
    this->table[1] = {std::string(130, 'n'), std::string(200, 'x') + "\r\nzwei", "", 0};
    this->table[3] = {"Rand", "  eingerückt  \r\n\"C:\\A B\\x.exe\"", "L1\nL2\r\nnach", 0};
    this->s.ConfigList.slot(4).Path = " C:\\Eigene Dateien\\a b.vkf ";
    ASSERT_TRUE(this->save());
    this->reload();

    std::vector<std::string> lines = splitLines(this->table[0].ConfigLines);
    ASSERT_EQ(lines.size(), 20u);  // 20 lines at most
    EXPECT_EQ(lines.back(), "DEVICE=D20");
    EXPECT_EQ(this->table[0].AutoexecLines, "A\r\nB\r\nD");  // no line lost to an empty one
    EXPECT_EQ(this->table[0].Ticked, 0);                     // ticks are never stored
    EXPECT_EQ(this->table[1].Name, std::string(128, 'n'));
    EXPECT_EQ(this->table[1].ConfigLines, std::string(128, 'x') + "\r\nzwei");
    // Blanks around a line and quotes around a whole line come back as typed;
    // what follows a lone LF does not (only CR ends a line when saving).
    EXPECT_EQ(this->table[3].ConfigLines, "  eingerückt  \r\n\"C:\\A B\\x.exe\"");
    EXPECT_EQ(this->table[3].AutoexecLines, "L1\r\nnach");
    EXPECT_EQ(this->s.ConfigList.slot(4).Path, " C:\\Eigene Dateien\\a b.vkf ");
}

TYPED_TEST_P(StoreContract, AReadOnlyFileIsNotReplaced) {
    this->fill();
    ASSERT_TRUE(this->save());
    this->world.setReadOnly(this->ini);
    this->table[2].Name = "Neu";
    EXPECT_FALSE(this->save());
    EXPECT_EQ(this->bytes(), this->savedFile());
    EXPECT_FALSE(this->world.files().exists(this->world.folder() + "Velkor.neu"));
}

REGISTER_TYPED_TEST_SUITE_P(StoreContract, SaveWritesTheseExactBytes, EverySaveRecreatesTheFile,
                            WhatComesBackAfterSaveAndLoad, AReadOnlyFileIsNotReplaced);
