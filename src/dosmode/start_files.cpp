#include "dosmode/start_files.h"

#include <algorithm>
#include <cstddef>
#include <set>
#include <string_view>
#include <tuple>

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

// One name more on the banner: onto the current line, or the line is
// finished and a new one begins with it. Built as DOS shows the lines, so the
// padding counts a doubled % as one column.
void addName(std::string& line, std::vector<std::string>& finished, const std::string& name) {
    if (line.size() + name.size() < kFitBelow) {
        if (line.size() > kNameStart.size()) line += ", ";
        line += name;
    } else {
        finished.push_back(
            asBatchText(line + ',' + std::string(kLastComma - line.size(), ' ') + kSide));
        line = kNameStart + name;
    }
}

std::string lastLine(const std::string& line) {
    return asBatchText(line + std::string(kRightSide - line.size(), ' ') + kSide);
}

// What an option adds to Config.sys.
std::string configPart(const Option& option) {
    std::string part;
    if (!option.configLines.empty()) addLine(part, option.configLines);
    return part;
}

}  // namespace

std::vector<std::string> nameLines(const Options& options) {
    std::vector<std::string> lines;
    std::string line = kNameStart;
    for (const Option& option : options)
        if (option.ticked == 1) addName(line, lines, shownName(option.name));
    lines.push_back(lastLine(line));
    return lines;
}

StartFiles makeStartFiles(const Options& options, const std::string& windowsDir) {
    StartFiles f;
    std::string& bat = f.autoexecBat;
    addLine(bat, "@ECHO OFF");
    for (const Option& option : options) {
        if (option.ticked != 1) continue;
        f.configSys += configPart(option);
        if (!option.autoexecLines.empty()) addLine(bat, option.autoexecLines);
    }
    addLine(bat, "ECHO.");
    addLine(bat, border(kTopLeft, kTopRight));
    addLine(bat, framed(1, "Die Eingabeaufforderung wurde gestartet mit folgenden Komponenten:"));
    addLine(bat, framed(0, ""));
    for (const std::string& line : nameLines(options)) addLine(bat, line);
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

namespace {

// The lines of a start file as an editor may have left them: ended by CR LF,
// LF or CR, without the blanks and the ^Z at their ends; empty lines do not count.
std::vector<std::string_view> editedLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        line = line.substr(0, line.find_last_not_of(" \t\x1A") + 1);  // npos + 1 == 0
        if (!line.empty()) lines.push_back(line);
    }
    return lines;
}

// The banner's lines that name the options, as they stand in the file;
// nothing if there is no banner.
std::vector<std::string_view> nameLinesOf(std::string_view autoexecBat) {
    const std::string heading =
        framed(1, "Die Eingabeaufforderung wurde gestartet mit folgenden Komponenten:");
    const std::string empty = framed(0, "");
    std::vector<std::string_view> lines = editedLines(autoexecBat);
    auto at = std::find(lines.begin(), lines.end(), heading);
    if (lines.end() - at < 3 || at[1] != empty) return {};
    auto end = std::find(at + 2, lines.end(), empty);
    return {at + 2, end};
}

}  // namespace

bool isVelkorAutoexec(std::string_view autoexecBat) {
    const std::string marks[] = {border(kTopLeft, kTopRight), framed(16, kRestoreLine1),
                                 framed(16, kRestoreLine2), border(kBottomLeft, kBottomRight)};
    std::size_t found = 0;
    for (std::string_view line : editedLines(autoexecBat)) {
        if (found < std::size(marks)) {
            if (line == marks[found]) ++found;
        } else if (line.ends_with(kWinCom)) {
            return true;
        }
    }
    return false;
}

namespace {

// Whether ticking some of the options from `i` on, in index order, goes on
// to give the rest of Config.sys and of the banner's lines (`finished` of
// them done, `line` begun) the way makeStartFiles builds them.
bool explains(const Options& options, std::string_view configSys,
              const std::vector<std::string_view>& named, int i, std::size_t finished,
              std::string line) {
    if (i == kOptionCount)
        return configSys.empty() && finished + 1 == named.size() && lastLine(line) == named.back();
    if (explains(options, configSys, named, i + 1, finished, line)) return true;
    std::string part = configPart(options[i]);
    std::vector<std::string> done;
    addName(line, done, shownName(options[i].name));
    if (!done.empty() && (finished + 1 >= named.size() || done[0] != named[finished++]))
        return false;
    return configSys.starts_with(part) && named[finished].starts_with(asBatchText(line)) &&
           explains(options, configSys.substr(part.size()), named, i + 1, finished, line);
}

}  // namespace

bool isVelkorConfigSys(std::string_view configSys, std::string_view autoexecBat,
                       const Options& options) {
    std::vector<std::string_view> named = nameLinesOf(autoexecBat);
    return !named.empty() && explains(options, configSys, named, 0, 0, kNameStart);
}
