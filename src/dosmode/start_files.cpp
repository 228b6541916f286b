#include "dosmode/start_files.h"

#include <cstddef>
#include <string_view>

namespace {

// Double-line box characters as code pages 437 and 850 show them. Written as
// bytes so that no code-page conversion can change them.
constexpr char kTopLeft = '\xC9', kEdge = '\xCD', kTopRight = '\xBB', kSide = '\xBA',
               kBottomLeft = '\xC8', kBottomRight = '\xBC';

constexpr std::size_t kInner = 77;    // characters between the two sides
constexpr std::size_t kMaxName = 75;  // longest name that always fits the frame
constexpr std::size_t kFitBelow = 74;

const std::string kEcho = "ECHO ";
const std::string kNameStart = kEcho + kSide + ' ';  // 7 characters
const std::string kWinCom = "\\WIN.COM /WX";

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

}  // namespace

std::vector<std::string> componentLines(const OptionTable& table) {
    std::vector<std::string> lines;
    std::string line = kNameStart;
    for (const OptionRecord& r : table) {
        if (r.Ticked != 1) continue;
        // A longer name would push the right side out of the frame.
        std::string name = r.Name.substr(0, kMaxName);
        // The ", " is not counted here, so a line may reach 75 characters.
        if (line.size() + name.size() < kFitBelow) {
            if (line.size() > kNameStart.size()) line += ", ";
            line += name;
        } else {
            lines.push_back(line + ',' + std::string(82 - line.size(), ' ') + kSide);
            line = kNameStart + name;
        }
    }
    lines.push_back(line + std::string(83 - line.size(), ' ') + kSide);
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
