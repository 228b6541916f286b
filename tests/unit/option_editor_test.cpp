#include <gtest/gtest.h>

#include "dialogs/option_editor.h"
#include "fakes/recorders.h"

namespace {

std::string lines(int count, std::size_t width = 1) {
    std::string text;
    for (int i = 0; i < count; ++i) text += std::string(width, 'a' + i % 26) + "\r\n";
    return text;
}

TEST(OptionEditor, WhatVelkorIniCannotKeepIsNamedAndCut) {
    struct {
        OptionTexts typed;
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
    OptionTexts cut = cutToFit({"n", lines(2, 200), "\r\n" + lines(25)});
    EXPECT_EQ(cut.configLines, std::string(128, 'a') + "\r\n" + std::string(128, 'b'));
    // The first 20 lines, without the last one's CR LF.
    EXPECT_EQ(cut.autoexecLines, "\r\n" + lines(20).substr(0, 20 * 3 - 2));
}

// Pasted text is kept as the edit box shows it: every kind of line break is
// one, and ^Z goes; other control characters are the user's.
TEST(OptionEditor, PastedTextIsTakenOverAsShown) {
    OptionTexts texts{"Maus\r\nneu\x1A", "A\nB\rC\r\nD\x1A", "\32ECHO \x1B[1m\vx\f"};  // \32: ^Z
    ScriptedBoxes boxes;
    ASSERT_TRUE(acceptOptionTexts(texts, boxes));
    EXPECT_EQ(texts.name, "Maus neu");
    EXPECT_EQ(texts.configLines, "A\r\nB\r\nC\r\nD");
    EXPECT_EQ(texts.autoexecLines, "ECHO \x1B[1m\vx\f");
}

}  // namespace
