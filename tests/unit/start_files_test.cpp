// The generated start files. Whole files, as DOS gets them, are checked byte
// for byte by the end-to-end tests; here are the rules at their edges.
#include <gtest/gtest.h>

#include <algorithm>

#include "dosmode/start_files.h"

namespace {

TEST(StartFiles, NameLinesWrapInsideTheFrame) {
    const std::string a40(40, 'a'), b30(30, 'b'), c53(53, 'c'), h75(75, 'h'), i76(76, 'i');
    struct {
        const char* why;
        std::vector<std::string> names;
        std::vector<std::string> lines;  // after "ECHO º ", before the padding as DOS shows it
    } cases[] = {
        {"7 + 40 + 30 is not below 74", {a40, b30}, {a40 + ",", b30}},
        {"60 + 13 = 73 still fits", {c53, "ddddddddddddd"}, {c53 + ", ddddddddddddd"}},
        {"60 + 14 = 74 does not", {c53, "eeeeeeeeeeeeee"}, {c53 + ",", "eeeeeeeeeeeeee"}},
        {"66 fits beside the empty start", {std::string(66, 'f')}, {std::string(66, 'f')}},
        {"75 does not: a lone comma line first", {h75, "Z"}, {",", h75 + ",", "Z"}},
        {"a longer name is cut to 75", {"A", i76}, {"A,", i76.substr(0, 75)}},
        {"empty names add nothing, or the separator", {"", "A", ""}, {"A, "}},
        {"no redirection, pipe or variable", {"<A|B>", "100%"}, {"(A!B), 100%%"}},
        {"letters as DOS shows them", {"Größe ändern €"}, {"Gr\224\341e \204ndern ?"}},
        {"no ^Z, other controls as blanks", {"A\x1A\tB\x1B[1m\x7F"}, {"A B [1m "}},
    };
    for (const auto& c : cases) {
        Options ticked;
        for (std::size_t i = 0; i < c.names.size(); ++i) ticked[i] = {c.names[i], "", "", 1};
        std::vector<std::string> expected;
        for (const std::string& text : c.lines) {
            std::size_t doubled = std::count(text.begin(), text.end(), '%') / 2;
            expected.push_back("ECHO \xBA " + text + std::string(76 - text.size() + doubled, ' ') +
                               "\xBA");
        }
        EXPECT_EQ(nameLines(ticked), expected) << c.why;
    }
}

TEST(StartFiles, OnlyTickedLinesInOrderAndTheWindowsDirectoryInFull) {
    Options t;
    t[0] = {"A", "DEVICE=A\x1A", "LH A.COM\x1A\x1B[0m", 1};  // ^Z would end the file there
    t[4] = {"B", "", "SET X=1\r\nSET Y=2", 1};
    t[7] = {"Aus", "DEVICE=NEIN", "NEIN", 0};
    t[9] = {"C", "FILES=40", "ECHO 50% > NUL", 1};  // the user's own lines stay as typed
    t[10] = {"Grau", "DEVICE=GRAU", "GRAU", 2};     // only 1 counts as ticked
    for (auto [dir, base] : {std::pair{"C:\\\x1AWINDOWS", "C:\\WINDOWS\\"}, {"C:\\", "C:\\"}}) {
        StartFiles f = makeStartFiles(t, dir);
        EXPECT_EQ(f.configSys, "DEVICE=A\r\nFILES=40\r\n");
        EXPECT_TRUE(f.autoexecBat.starts_with(
            "@ECHO OFF\r\nLH A.COM\x1B[0m\r\nSET X=1\r\nSET Y=2\r\nECHO 50% > NUL\r\nECHO.\r\n"));
        EXPECT_TRUE(f.autoexecBat.ends_with(std::string("\xBC\r\n") + base + "COMMAND.COM\r\n" +
                                            base + "WIN.COM /WX\r\n"));
    }
}

}  // namespace
