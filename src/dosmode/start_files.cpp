#include "dosmode/start_files.h"

#include <cstddef>
#include <string_view>

namespace {

// Double-line box characters as code pages 437 and 850 show them. Written as
// bytes so that no code-page conversion can change them.
constexpr char kTopLeft = '\xC9', kEdge = '\xCD', kTopRight = '\xBB', kSide = '\xBA',
               kBottomLeft = '\xC8', kBottomRight = '\xBC';

const std::string kEcho = "ECHO ";
const std::string kNameStart = kEcho + kSide + ' ';  // where the names of a line begin
const std::string kWinCom = "\\WIN.COM /WX";

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

void addLine(std::string& file, const std::string& line) {
    file += line + "\r\n";
}

std::string border(char left, char right) {
    return kEcho + left + std::string(kInner, kEdge) + right;
}

// `text` inside the frame after `indent` spaces, padded to the right side.
std::string framed(std::size_t indent, const std::string& text) {
    std::string inner = std::string(indent, ' ') + text;
    return kEcho + kSide + inner + std::string(kInner - inner.size(), ' ') + kSide;
}

// A name as an ECHO line may show it: COMMAND.COM would redirect or pipe at
// < > |, so they are shown as look-alikes; cut to what the frame holds.
std::string shownName(const std::string& name) {
    std::string shown = name.substr(0, kMaxName);
    for (char& c : shown) {
        if (c == '<') c = '(';
        if (c == '>') c = ')';
        if (c == '|') c = '!';
    }
    return shown;
}

// COMMAND.COM expands %...% in a batch file; a doubled % shows as one.
std::string asBatchText(const std::string& shown) {
    std::string text;
    for (char c : shown) {
        if (c == '%') text += '%';
        text += c;
    }
    return text;
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
    addLine(bat, framed(16, "Um die alten Startdateien wiederherzustellen"));
    addLine(bat, framed(16, "und neu zu starten, tippen Sie bitte EXIT ein."));
    addLine(bat, border(kBottomLeft, kBottomRight));
    // A Windows directory at a drive's root ends in "\" already.
    std::string dir = windowsDir;
    if (!dir.empty() && dir.back() == '\\') dir.pop_back();
    addLine(bat, dir + "\\COMMAND.COM");
    addLine(bat, dir + kWinCom);
    return f;
}

bool isVelkorAutoexec(const std::string& autoexecBat) {
    if (autoexecBat.find(border(kTopLeft, kTopRight) + "\r\n") == std::string::npos) return false;
    std::string_view text = autoexecBat;
    if (text.ends_with("\r\n")) text.remove_suffix(2);
    std::string_view last = text.substr(text.rfind('\n') + 1);  // npos + 1 == 0
    return last.ends_with(kWinCom);
}
