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
        {"A", {"A"}, {"A"}},
        {"A\r\nB\r\n", {"A", "B"}, {"A", "B"}},           // no empty last line
        {"A\r\n\r\nC", {"A", "", "C"}, {"A", "C"}},       // an empty line inside
        {"\r\n\r\nA\r\n\r\n", {"", "", "A", ""}, {"A"}},  // empty lines around
        {"A\nB\r\nC", {"A\nB", "C"}, {"A\nB", "C"}},      // a lone LF stays in its line
        {"A\rB", {"A"}, {"A"}},                           // a lone CR swallows the next character
        {" \r\n", {" "}, {" "}},                          // a blank is no empty line
    };
    for (const auto& c : cases) {
        EXPECT_EQ(splitLines(c.text), c.split) << c.text;
        EXPECT_EQ(storedLines(c.text), c.stored) << c.text;
    }
}

TEST(Selection, WrittenAscendingWithTwoDigits) {
    OptionTable t;
    EXPECT_EQ(selectionOf(t), "");
    t[1].Ticked = t[10].Ticked = 1;
    t[4].Ticked = 2;  // only 1 counts as ticked
    EXPECT_EQ(selectionOf(t), "01,10");
    t[0].Ticked = t[3].Ticked = 1;
    EXPECT_EQ(selectionOf(t), "00,01,03,10");
}

TEST(Selection, ReadingTicksOnlyWhatItNames) {
    struct {
        std::string text;
        std::vector<int> ticked;
    } cases[] = {
        {"", {}},           {"07", {7}},       {"00,03,10", {0, 3, 10}},
        {"01,10", {1, 10}}, {"0", {}},          // a lone digit is no number
        {"11,99,05", {5}},                      // outside 0..10
        {"x1,0a,02", {2}},                      // not digits
        {"-1,+2,03", {3}},  {"03;04", {3, 4}},  // separators are never looked at
        {"02,", {2}},
    };
    for (const auto& c : cases) {
        OptionTable t;
        for (auto& r : t) r.Ticked = 1;
        applySelection(t, c.text);
        std::vector<int> ticked;
        for (int i = 0; i < kOptionCount; ++i)
            if (t[i].Ticked) ticked.push_back(i);
        EXPECT_EQ(ticked, c.ticked) << c.text;
    }
}

TEST(CommandLine, ArgumentsFollowTheProgramName) {
    struct {
        const char *line, *arguments;
    } cases[] = {
        {"C:\\VELKOR\\VELKOR.EXE", ""},
        {"\"C:\\Program Files\\Velkor.exe\" C:\\K\\a.vkf", "C:\\K\\a.vkf"},
        {"\"C:\\Program Files\\Velkor.exe\"   \t C:\\Eigene Dateien\\a b.vkf  ",
         "C:\\Eigene Dateien\\a b.vkf  "},                    // the end stays as it is
        {"velkor \"C:\\A B\\x.vkf\"", "\"C:\\A B\\x.vkf\""},  // and so do quotes
        {"velkor\tx", "x"},
        {"\"C:\\A B\"\\velkor.exe x", "x"},  // quotes may cover part of the name
        {"\"C:\\A B\\velkor.exe", ""},       // an unclosed quote takes the rest
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(argumentsOf(c.line), c.arguments) << c.line;
}

TEST(Paths, FolderOfAFileAndAFileInAFolder) {
    struct {
        const char *path, *folder;
    } cases[] = {
        {"C:\\VELKOR\\VELKOR.EXE", "C:\\VELKOR"},
        {"C:\\VELKOR.EXE", "C:\\"},
        {"\\\\server\\share\\v.exe", "\\\\server\\share"},
        {"v.exe", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(folderOfFile(c.path), c.folder) << c.path;
    EXPECT_EQ(inFolder("C:\\TOOLS", "Velkor.ini"), "C:\\TOOLS\\Velkor.ini");
    EXPECT_EQ(inFolder("C:\\", "Velkor.ini"), "C:\\Velkor.ini");
}

TEST(MessageBoxResult, NeverYesWithoutAChoice) {
    constexpr int kIdOk = 1, kIdCancel = 2, kIdYes = 6, kIdNo = 7;
    struct {
        int result;
        unsigned style;
        Answer answer;
    } cases[] = {
        {kIdYes, mb::YesNo, Answer::Yes},
        {kIdNo, mb::YesNo, Answer::No},
        {kIdCancel, mb::YesNo, Answer::No},  // a Yes/No box closed from its menu
        {0, mb::YesNo, Answer::No},          // no box could be shown
        {kIdYes, mb::YesNoCancel, Answer::Yes},
        {kIdNo, mb::YesNoCancel, Answer::No},
        {kIdCancel, mb::YesNoCancel, Answer::Cancel},
        {0, mb::YesNoCancel, Answer::Cancel},
        {kIdOk, mb::Ok, Answer::Ok},
        {0, mb::Ok | mb::IconHand, Answer::Ok},
    };
    for (const auto& c : cases)
        EXPECT_EQ(answerOf(c.result, c.style), c.answer) << c.result << " " << c.style;
}

}  // namespace
