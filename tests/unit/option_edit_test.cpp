#include <gtest/gtest.h>

#include "dialogs/option_edit.h"

namespace {

std::string lines(int count, std::size_t width = 1) {
    std::string text;
    for (int i = 0; i < count; ++i) text += std::string(width, 'a' + i % 26) + "\r\n";
    return text;
}

TEST(OptionEdit, WhatVelkorIniCannotKeepIsNamedAndCut) {
    struct {
        OptionEdit typed;
        std::string cut;  // "" if all fits
    } cases[] = {
        {{std::string(128, 'n'), lines(20, 128), ""}, ""},
        {{"n", lines(20) + "\r\n\r\n\r\n", ""}, ""},  // empty lines are not counted
        {{std::string(129, 'n'), "", ""}, "- der Name ist länger als 128 Zeichen"},
        {{"n", "", lines(23)}, "- 23 Zeilen für Autoexec.bat, höchstens 20"},
        {{"n", "x\r\n" + std::string(129, 'x'), ""},
         "- eine Zeile für Config.sys ist\r  länger als 128 Zeichen"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(whatWouldBeCut(c.typed), c.cut) << c.cut;
        EXPECT_EQ(whatWouldBeCut(cutToFit(c.typed)), "") << c.cut;
    }
    OptionEdit cut = cutToFit({"n", lines(2, 200), "\r\n" + lines(25)});
    EXPECT_EQ(cut.ConfigLines, std::string(128, 'a') + "\r\n" + std::string(128, 'b'));
    std::string twenty = lines(20);
    EXPECT_EQ(cut.AutoexecLines, "\r\n" + twenty.substr(0, twenty.size() - 2));
}

}  // namespace
