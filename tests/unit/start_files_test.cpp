#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dosmode/start_files.h"

namespace {

// The frame bytes as the DOS code pages show them, spelled as bytes so the
// expectations do not depend on how this file is compiled.
const std::string kSide = "\xBA";
const std::string kTop = "ECHO \xC9" + std::string(77, '\xCD') + "\xBB";
const std::string kBottom = "ECHO \xC8" + std::string(77, '\xCD') + "\xBC";
const std::string kEmpty = "ECHO " + kSide + std::string(77, ' ') + kSide;

// A framed line holding `text` after "ECHO º ", padded to 84 characters.
std::string framedName(const std::string& text) {
    return "ECHO " + kSide + " " + text + std::string(84 - 8 - text.size(), ' ') + kSide;
}

std::vector<std::string> linesOf(const std::string& file) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < file.size()) {
        std::size_t end = file.find("\r\n", at);
        if (end == std::string::npos) end = file.size();
        lines.push_back(file.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

OptionTable tickedNames(const std::vector<std::string>& names) {
    OptionTable t;
    for (std::size_t i = 0; i < names.size(); ++i) t[i] = {names[i], "", "", 1};
    return t;
}

TEST(StartFiles, WholeFilesForThreeTickedEntries) {
    OptionTable t;
    t[0] = {"A", "DEVICE=C:\\A.SYS", "LH C:\\A.COM", 1};
    t[4] = {"BB", "", "SET X=1\r\nSET Y=2\r\nSET Z=3", 1};
    t[7] = {"Aus", "DEVICE=NEIN", "NEIN", 0};
    t[9] = {"CCC", "FILES=40\r\nBUFFERS=20", "", 1};
    t[10] = {"Grau", "DEVICE=GRAU", "GRAU", 2};  // only 1 counts as ticked
    StartFiles f = makeStartFiles(t, "C:\\WINDOWS");

    EXPECT_EQ(f.configSys, "DEVICE=C:\\A.SYS\r\nFILES=40\r\nBUFFERS=20\r\n");
    std::vector<std::string> expected = {
        "@ECHO OFF",
        "LH C:\\A.COM",
        "SET X=1",
        "SET Y=2",
        "SET Z=3",
        "ECHO.",
        kTop,
        "ECHO º Die Eingabeaufforderung wurde gestartet mit folgenden Komponenten:          º",
        "ECHO º                                                                             º",
        "ECHO º A, BB, CCC" + std::string(66, ' ') + "º",
        "ECHO º                                                                             º",
        "ECHO º                Um die alten Startdateien wiederherzustellen                 º",
        "ECHO º                und neu zu starten, tippen Sie bitte EXIT ein.               º",
        kBottom,
        "C:\\WINDOWS\\COMMAND.COM",
        "C:\\WINDOWS\\WIN.COM /WX",
    };
    EXPECT_EQ(linesOf(f.autoexecBat), expected);
    EXPECT_TRUE(f.autoexecBat.ends_with("/WX\r\n"));
    // Nothing ticked with lines of its own: an empty Config.sys.
    EXPECT_EQ(makeStartFiles(tickedNames({"Nur Name"}), "C:\\WINDOWS").configSys, "");
}

TEST(StartFiles, FrameIsMadeOfDosBoxBytes) {
    StartFiles f = makeStartFiles(tickedNames({"Maus", std::string(70, 'x')}), "C:\\WINDOWS");
    int framed = 0;
    for (const std::string& line : linesOf(f.autoexecBat)) {
        if (!line.starts_with("ECHO ") || line == "ECHO.") continue;
        ++framed;
        ASSERT_EQ(line.size(), 84u) << line;
        auto byte = [&](std::size_t i) { return static_cast<unsigned char>(line[i]); };
        if (line == kTop || line == kBottom) {
            EXPECT_EQ(byte(5), line == kTop ? 0xC9 : 0xC8);
            for (std::size_t i = 6; i < 83; ++i) EXPECT_EQ(byte(i), 0xCD);
            EXPECT_EQ(byte(83), line == kTop ? 0xBB : 0xBC);
        } else {
            EXPECT_EQ(byte(5), 0xBA) << line;
            EXPECT_EQ(byte(83), 0xBA) << line;
        }
    }
    EXPECT_EQ(framed, 9);  // borders, sentence, 2 empty, 2 name lines, 2 EXIT lines
    // Nothing but the frame lies above ASCII: no UTF-8 or other encodings of it.
    for (unsigned char c : f.autoexecBat) {
        if (c < 0x80) continue;
        EXPECT_TRUE(c == 0xC9 || c == 0xCD || c == 0xBB || c == 0xBA || c == 0xC8 || c == 0xBC)
            << int(c);
    }
    for (std::size_t i = 0; i < f.autoexecBat.size(); ++i) {
        if (f.autoexecBat[i] == '\r') {
            EXPECT_EQ(f.autoexecBat[i + 1], '\n') << i;
        } else if (f.autoexecBat[i] == '\n') {
            EXPECT_EQ(f.autoexecBat[i - 1], '\r') << i;
        }
    }
}

TEST(StartFiles, ComponentLinesWrap) {
    const std::string a40(40, 'a'), b30(30, 'b'), c53(53, 'c'), d13(13, 'd'), e14(14, 'e'),
        f66(66, 'f'), g67(67, 'g'), h75(75, 'h'), i76(76, 'i'), j200(200, 'j');
    struct {
        const char* why;
        std::vector<std::string> names;
        std::vector<std::string> lines;  // text after "ECHO º ", before the padding
    } cases[] = {
        {"short names share a line", {"A", "BB", "CCC"}, {"A, BB, CCC"}},
        {"7 + 40 + 30 is not below 74", {a40, b30}, {a40 + ",", b30}},
        {"60 + 13 = 73 still fits", {c53, d13}, {c53 + ", " + d13}},
        {"60 + 14 = 74 does not", {c53, e14}, {c53 + ",", e14}},
        {"66 fits beside the empty start", {f66}, {f66}},
        {"67 does not: a lone comma line first", {g67}, {",", g67}},
        {"75 likewise", {h75}, {",", h75}},
        {"a longer name is cut to 75", {i76}, {",", i76.substr(0, 75)}},
        {"cut also after another name", {"A", j200}, {"A,", j200.substr(0, 75)}},
        {"a long name then a short one", {h75, "Z"}, {",", h75 + ",", "Z"}},
        {"empty name first adds nothing", {"", "A"}, {"A"}},
        {"empty name after a name adds the separator", {"A", ""}, {"A, "}},
        {"only empty names", {"", ""}, {""}},
        {"empty name after a wrap", {a40, a40, ""}, {a40 + ",", a40 + ", "}},
        {"ten-character names, five to a line",
         {"Option0000", "Option0001", "Option0002", "Option0003", "Option0004", "Option0005",
          "Option0006", "Option0007", "Option0008", "Option0009", "Option0010"},
         {"Option0000, Option0001, Option0002, Option0003, Option0004,",
          "Option0005, Option0006, Option0007, Option0008, Option0009,", "Option0010"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> expected;
        for (const std::string& text : c.lines) expected.push_back(framedName(text));
        EXPECT_EQ(componentLines(tickedNames(c.names)), expected) << c.why;
    }
}

TEST(StartFiles, NamesCanNeitherRedirectNorExpand) {
    // What DOS shows: < > | as look-alikes, a doubled % as one, so the right
    // side stays in its column.
    OptionTable t = tickedNames({"A<B>C|D", "100%", "%PATH%"});
    t[5] = {"Eigene", "", "ECHO 50% > NUL", 1};  // the user's own lines stay as typed
    StartFiles f = makeStartFiles(t, "C:\\WINDOWS");
    EXPECT_EQ(componentLines(t),
              std::vector<std::string>{"ECHO \xBA A(B)C!D, 100%%, %%PATH%%, Eigene" +
                                       std::string(47, ' ') + "\xBA"});
    EXPECT_NE(f.autoexecBat.find("\r\nECHO 50% > NUL\r\n"), std::string::npos);
}

TEST(StartFiles, WindowsDirectoryIsUsedInFull) {
    struct {
        std::string dir, command, win;
    } cases[] = {
        {"C:\\WINDOWS", "C:\\WINDOWS\\COMMAND.COM", "C:\\WINDOWS\\WIN.COM /WX"},
        {"D:\\WIN98", "D:\\WIN98\\COMMAND.COM", "D:\\WIN98\\WIN.COM /WX"},
        {"C:\\", "C:\\COMMAND.COM", "C:\\WIN.COM /WX"},  // a root is not doubled
    };
    for (const auto& c : cases) {
        auto lines = linesOf(makeStartFiles(tickedNames({"X"}), c.dir).autoexecBat);
        EXPECT_EQ(lines[lines.size() - 2], c.command);
        EXPECT_EQ(lines.back(), c.win);
    }
    std::string deep = "C:\\" + std::string(150, 'w') + "\\" + std::string(150, 'v');
    auto lines = linesOf(makeStartFiles(tickedNames({"X"}), deep).autoexecBat);
    EXPECT_EQ(lines.back(), deep + "\\WIN.COM /WX");
}

TEST(StartFiles, RecognisesItsOwnAutoexec) {
    const std::string ours = makeStartFiles(tickedNames({"A"}), "C:\\WINDOWS").autoexecBat;
    struct {
        const char* why;
        std::string bytes;
        bool velkor;
    } cases[] = {
        {"as written", ours, true},
        {"other Windows directory", makeStartFiles(tickedNames({"A"}), "E:\\W").autoexecBat, true},
        {"without the last CR LF", ours.substr(0, ours.size() - 2), true},
        {"a line added after WIN.COM", ours + "REM danach\r\n", false},
        {"the user's own file", "@ECHO OFF\r\nPATH C:\\DOS\r\nC:\\WINDOWS\\WIN.COM /WX\r\n", false},
        {"empty", "", false},
        {"banner but no WIN.COM", ours.substr(0, ours.find("C:\\WINDOWS\\WIN.COM")), false},
    };
    for (const auto& c : cases) EXPECT_EQ(isVelkorAutoexec(c.bytes), c.velkor) << c.why;
}

}  // namespace
