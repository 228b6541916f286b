// The plain text rules, each a table.
#include <gtest/gtest.h>

#include "platform/text_rules.h"

namespace {

TEST(CommandLine, ArgumentsFollowTheProgramName) {
    struct {
        const char *line, *arguments;
    } cases[] = {
        {"C:\\VELKOR\\VELKOR.EXE", ""},
        {"\"C:\\Program Files\\Velkor.exe\"   \t C:\\Eigene Dateien\\a b.vkf  ",
         "C:\\Eigene Dateien\\a b.vkf  "},  // the end stays as it is
        {"\"C:\\A B\\velkor.exe", ""},      // an unclosed quote takes the rest
    };
    for (const auto& c : cases) EXPECT_EQ(argumentsOf(c.line), c.arguments) << c.line;
    EXPECT_EQ(folderOfFile("C:\\VELKOR\\VELKOR.EXE"), "C:\\VELKOR");
    EXPECT_EQ(folderOfFile("C:\\VELKOR.EXE"), "C:\\");
    EXPECT_EQ(inFolder("C:\\", "Velkor.ini"), "C:\\Velkor.ini");
}

TEST(MessageBoxResult, NeverYesWithoutAChoice) {
    constexpr int kNone = 0, kCancel = 2;
    EXPECT_EQ(answerOf(kCancel, mb::YesNo), Answer::No);  // a Yes/No box closed from its menu
    EXPECT_EQ(answerOf(kNone, mb::YesNo), Answer::No);    // no box could be shown
    EXPECT_EQ(answerOf(kNone, mb::YesNoCancel), Answer::Cancel);
}

}  // namespace
