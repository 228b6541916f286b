#include "dosmode/start_files.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "platform/text_rules.h"

namespace {

// Double-line box characters as code pages 437 and 850 show them. Written as
// bytes so that no code-page conversion can change them.
constexpr char kTopLeft = '\xC9', kEdge = '\xCD', kTopRight = '\xBB', kSide = '\xBA',
               kBottomLeft = '\xC8', kBottomRight = '\xBC';

const std::string kEcho = "ECHO ";
const std::string kNameStart = kEcho + kSide + ' ';  // where the names of a line begin
const std::string kWinCom = "\\WIN.COM /WX";
const char kRestoreLine1[] = "Um die alten Startdateien wiederherzustellen";
const char kRestoreLine2[] = "und neu zu starten, tippen Sie bitte EXIT ein.";

// The banner as DOS shows it: "ECHO " and the frame with 77 columns inside.
constexpr std::size_t kInner = 77;
constexpr std::size_t kWidth = 5 + 1 + kInner + 1;  // 84
constexpr std::size_t kRightSide = kWidth - 1;      // the column of the right side
// A wrapped line ends with the comma after its last name, at the latest just
// before the right side.
constexpr std::size_t kLastComma = kRightSide - 1;
// The fit test leaves the ", " before a name uncounted, so names end at least
// this many columns before the right side.
constexpr std::size_t kMinGap = 8;
constexpr std::size_t kFitBelow = kRightSide - kMinGap - 1;
// The longest name that fits on a line of its own.
const std::size_t kMaxName = kLastComma - kNameStart.size();

// COMMAND.COM ends a batch file at a ^Z, and DOS reads Config.sys only up to
// one: the option editor drops it, and so does every line written here.
std::string withoutEof(std::string text) {
    std::erase(text, '\x1A');
    return text;
}

void addLine(std::string& file, const std::string& line) {
    file += withoutEof(line) + "\r\n";
}

std::string border(char left, char right) {
    return kEcho + left + std::string(kInner, kEdge) + right;
}

// `text` inside the frame after `indent` spaces, padded to the right side.
std::string framed(std::size_t indent, const std::string& text) {
    std::string inner = std::string(indent, ' ') + text;
    return kEcho + kSide + inner + std::string(kInner - inner.size(), ' ') + kSide;
}

// The Windows letters above ASCII as DOS shows them (code page 850, whose
// German letters code page 437 shares); "?" where it has none.
const char kDosLetters[] =
    "\x3F\x3F\x3F\x9F\x3F\x3F\x3F\x3F\x3F\x3F\x3F\x3F\x3F\x3F\x3F\x3F"
    "\x3F\x3F\x3F\x3F\x3F\x3F\x3F\x3F\x3F\x3F\x3F\x3F\x3F\x3F\x3F\x3F"
    "\xFF\xAD\xBD\x9C\xCF\xBE\xDD\xF5\xF9\xB8\xA6\xAE\xAA\xF0\xA9\xEE"
    "\xF8\xF1\xFD\xFC\xEF\xE6\xF4\xFA\xF7\xFB\xA7\xAF\xAC\xAB\xF3\xA8"
    "\xB7\xB5\xB6\xC7\x8E\x8F\x92\x80\xD4\x90\xD2\xD3\xDE\xD6\xD7\xD8"
    "\xD1\xA5\xE3\xE0\xE2\xE5\x99\x9E\x9D\xEB\xE9\xEA\x9A\xED\xE8\xE1"
    "\x85\xA0\x83\xC6\x84\x86\x91\x87\x8A\x82\x88\x89\x8D\xA1\x8C\x8B"
    "\xD0\xA4\x95\xA2\x93\xE4\x94\xF6\x9B\x97\xA3\x96\x81\xEC\xE7\x98";

// A name as an ECHO line may show it: without ^Z, as the option editor keeps
// it; in the letters of DOS; other control characters, which would move the
// cursor, as blanks;
// < > |, at which COMMAND.COM would redirect or pipe, as look-alikes; cut to
// what the frame holds.
std::string shownName(const std::string& name) {
    std::string shown = withoutEof(name).substr(0, kMaxName);
    for (char& c : shown) {
        auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80) c = kDosLetters[byte - 0x80];
        if (byte < 0x20 || byte == 0x7F) c = ' ';
        if (c == '<') c = '(';
        if (c == '>') c = ')';
        if (c == '|') c = '!';
    }
    return shown;
}

// COMMAND.COM expands %...% in a batch file; a doubled % shows as one.
std::string asBatchText(const std::string& shown) {
    return doubled(shown, '%');
}

}  // namespace

std::vector<std::string> componentLines(const OptionTable& table) {
    // Built as DOS shows them, so the padding counts a doubled % as one column.
    std::vector<std::string> lines;
    std::string line = kNameStart;
    for (const OptionRecord& r : table) {
        if (r.Ticked != 1) continue;
        std::string name = shownName(r.Name);
        if (line.size() + name.size() < kFitBelow) {
            if (line.size() > kNameStart.size()) line += ", ";
            line += name;
        } else {
            lines.push_back(
                asBatchText(line + ',' + std::string(kLastComma - line.size(), ' ') + kSide));
            line = kNameStart + name;
        }
    }
    lines.push_back(asBatchText(line + std::string(kRightSide - line.size(), ' ') + kSide));
    return lines;
}

StartFiles makeStartFiles(const OptionTable& table, const std::string& windowsDir) {
    StartFiles f;
    std::string& bat = f.autoexecBat;
    addLine(bat, "@ECHO OFF");
    for (const OptionRecord& r : table) {
        if (r.Ticked != 1) continue;
        if (!r.ConfigLines.empty()) addLine(f.configSys, r.ConfigLines);
        if (!r.AutoexecLines.empty()) addLine(bat, r.AutoexecLines);
    }
    addLine(bat, "ECHO.");
    addLine(bat, border(kTopLeft, kTopRight));
    addLine(bat, framed(1, "Die Eingabeaufforderung wurde gestartet mit folgenden Komponenten:"));
    addLine(bat, framed(0, ""));
    for (const std::string& line : componentLines(table)) addLine(bat, line);
    addLine(bat, framed(0, ""));
    addLine(bat, framed(16, kRestoreLine1));
    addLine(bat, framed(16, kRestoreLine2));
    addLine(bat, border(kBottomLeft, kBottomRight));
    // A Windows directory at a drive's root ends in "\" already.
    std::string dir = windowsDir;
    if (!dir.empty() && dir.back() == '\\') dir.pop_back();
    addLine(bat, dir + "\\COMMAND.COM");
    addLine(bat, dir + kWinCom);
    return f;
}

bool isVelkorAutoexec(std::string_view autoexecBat) {
    const std::string marks[] = {border(kTopLeft, kTopRight), framed(16, kRestoreLine1),
                                 framed(16, kRestoreLine2), border(kBottomLeft, kBottomRight)};
    std::size_t found = 0;
    while (!autoexecBat.empty()) {
        std::size_t end = std::min(autoexecBat.find_first_of("\r\n"), autoexecBat.size());
        std::string_view line = autoexecBat.substr(0, end);
        autoexecBat.remove_prefix(std::min(end + 1, autoexecBat.size()));
        line = line.substr(0, line.find_last_not_of(" \t\x1A") + 1);  // npos + 1 == 0
        if (found < std::size(marks)) {
            if (line == marks[found]) ++found;
        } else if (line.ends_with(kWinCom)) {
            return true;
        }
    }
    return false;
}
