// The plain text rules, each a table.
#include <gtest/gtest.h>

#include "platform/text_rules.h"
#include "store/lines.h"
#include "store/selection.h"

namespace {

using Lines = std::vector<std::string>;

TEST(Lines, SplitAtCarriageReturnsAndSaveWithoutEmptyLines) {
    struct {
        std::string text;
        Lines split, stored;
    } cases[] = {
        {"", {}, {}},
        {"A\r\nB\r\n", {"A", "B"}, {"A", "B"}},              // no empty last line
        {"\r\nA\r\n\r\nC", {"", "A", "", "C"}, {"A", "C"}},  // empty lines inside
        {"A\nB\r\nC", {"A\nB", "C"}, {"A\nB", "C"}},         // a lone LF stays in its line
        {"A\rB", {"A"}, {"A"}},   // a lone CR swallows the next character
        {" \r\n", {" "}, {" "}},  // a blank is no empty line
    };
    for (const auto& c : cases) {
        EXPECT_EQ(splitLines(c.text), c.split) << c.text;
        EXPECT_EQ(storedLines(c.text), c.stored) << c.text;
    }
}

TEST(Selection, ReadTicksOnlyWhatItNamesAndWritesAscendingWithTwoDigits) {
    struct {
        std::string read, written;
    } cases[] = {
        {"", ""},           {"07", "07"},       {"10,00,03", "00,03,10"},
        {"0", ""},          {"11,99,05", "05"},  // a lone digit, or outside 0..10
        {"x1,0a,02", "02"},                      // not digits
        {"03;04", "03,04"}, {"02,", "02"},       // separators are never looked at
    };
    for (const auto& c : cases) {
        OptionTable t;
        for (auto& r : t) r.Ticked = 1;
        applySelection(t, c.read);
        EXPECT_EQ(selectionOf(t), c.written) << c.read;
    }
}

TEST(CommandLine, ArgumentsFollowTheProgramName) {
    struct {
        const char *line, *arguments;
    } cases[] = {
        {"C:\\VELKOR\\VELKOR.EXE", ""},
        {"\"C:\\Program Files\\Velkor.exe\"   \t C:\\Eigene Dateien\\a b.vkf  ",
         "C:\\Eigene Dateien\\a b.vkf  "},                    // the end stays as it is
        {"velkor \"C:\\A B\\x.vkf\"", "\"C:\\A B\\x.vkf\""},  // and so do quotes
        {"\"C:\\A B\"\\velkor.exe\tx", "x"},                  // quotes may cover part of the name
        {"\"C:\\A B\\velkor.exe", ""},                        // an unclosed quote takes the rest
    };
    for (const auto& c : cases) EXPECT_EQ(argumentsOf(c.line), c.arguments) << c.line;
    EXPECT_EQ(folderOfFile("C:\\VELKOR\\VELKOR.EXE"), "C:\\VELKOR");
    EXPECT_EQ(folderOfFile("C:\\VELKOR.EXE"), "C:\\");
    EXPECT_EQ(inFolder("C:\\", "Velkor.ini"), "C:\\Velkor.ini");
}

TEST(MessageBoxResult, NeverYesWithoutAChoice) {
    constexpr int kNone = 0, kCancel = 2, kYes = 6;
    EXPECT_EQ(answerOf(kCancel, mb::YesNo), Answer::No);  // a Yes/No box closed from its menu
    EXPECT_EQ(answerOf(kNone, mb::YesNo), Answer::No);    // no box could be shown
    EXPECT_EQ(answerOf(kNone, mb::YesNoCancel), Answer::Cancel);
    EXPECT_EQ(answerOf(kYes, mb::YesNoCancel), Answer::Yes);
}

}  // namespace
