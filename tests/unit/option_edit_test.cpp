#include <gtest/gtest.h>

#include "dialogs/option_edit.h"
#include "fakes/recorders.h"

namespace {

std::string lines(int count, std::size_t width = 1) {
    std::string text;
    for (int i = 0; i < count; ++i) text += std::string(width, 'a' + i % 26) + "\r\n";
    return text;
}

TEST(OptionEdit, WhatVelkorIniCannotKeepIsNamed) {
    struct {
        const char* why;
        OptionEdit typed;
        std::string cut;  // "" if all fits
    } cases[] = {
        {"20 lines and 128 characters fit", {std::string(128, 'n'), lines(20, 128), ""}, ""},
        {"empty lines are not counted", {"n", lines(20) + "\r\n\r\n\r\n", ""}, ""},
        {"a long name", {std::string(129, 'n'), "", ""}, "- der Name ist länger als 128 Zeichen"},
        {"too many lines", {"n", "", lines(23)}, "- 23 Zeilen für Autoexec.bat, höchstens 20"},
        {"a long line",
         {"n", "x\r\n" + std::string(129, 'x'), ""},
         "- eine Zeile für Config.sys ist\r  länger als 128 Zeichen"},
    };
    for (const auto& c : cases) EXPECT_EQ(whatWouldBeCut(c.typed), c.cut) << c.why;

    OptionEdit cut = cutToFit({std::string(130, 'n'), lines(2, 200), "\r\n" + lines(25)});
    EXPECT_EQ(cut.Name, std::string(128, 'n'));
    EXPECT_EQ(cut.ConfigLines, std::string(128, 'a') + "\r\n" + std::string(128, 'b'));
    std::string twenty = lines(20);
    EXPECT_EQ(cut.AutoexecLines, "\r\n" + twenty.substr(0, twenty.size() - 2));
    EXPECT_EQ(whatWouldBeCut(cut), "");
}

TEST(OptionEdit, TheUserChoosesToGoBackOrToCut) {
    ScriptedBoxes boxes;
    OptionEdit fits{"Maus", "A\r\nB", ""};
    EXPECT_TRUE(acceptOptionEdit(fits, boxes));
    EXPECT_TRUE(boxes.shown.empty());

    OptionEdit tooLong{"Maus", std::string(200, 'x'), ""};
    boxes.answers = {Answer::No};
    EXPECT_FALSE(acceptOptionEdit(tooLong, boxes));
    EXPECT_EQ(tooLong.ConfigLines, std::string(200, 'x'));  // back to the editor as typed
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].style, mb::YesNo | mb::IconExclamation | mb::DefaultSecond);

    boxes.answers = {Answer::Yes};
    EXPECT_TRUE(acceptOptionEdit(tooLong, boxes));
    EXPECT_EQ(tooLong.ConfigLines, std::string(128, 'x'));
}

}  // namespace
