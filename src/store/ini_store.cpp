#include "store/ini_store.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

#include "store/config_file.h"
#include "store/lines.h"
#include "store/profile_text.h"
#include "store/replacing.h"

namespace {

// Far more than Velkor writes: a file it reads in part is no file it wrote.
constexpr std::size_t kReadLimit = 1 << 20;

std::string readValue(std::string_view section, const std::string& key) {
    return std::string(profileValue(section, key).substr(0, kMaxValue));
}

struct FlagKey {
    const char* key;
    std::int16_t Settings::*flag;
};
constexpr FlagKey kFlagKeys[] = {
    {"LöschenMSG", &Settings::askBeforeDeleting},
    {"StartenMSG", &Settings::noticeBeforeRestart},
    {"SofortStart", &Settings::restartOnChoice},
    {"Taskleiste", &Settings::startInTray},
};

std::string optionSection(int i) {
    return "Eintrag" + std::to_string(i + 1);
}

std::string configKey(int n) {
    return "Konfig" + std::to_string(n);
}

// A decimal 16-bit integer with an optional sign, or nothing.
std::optional<std::int16_t> parseFlag(const std::string& text) {
    std::size_t p = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
    if (p == text.size() || text.size() - p > 6) return std::nullopt;
    long value = 0;
    for (std::size_t i = p; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    if (text[0] == '-') value = -value;
    if (value < -32768 || value > 32767) return std::nullopt;
    return static_cast<std::int16_t>(value);
}

// A line break inside a value would end it in the file and turn the rest into
// keys or sections of their own; reading stops there, so only that much is kept.
std::string storable(const std::string& value) {
    return value.substr(0, value.find_first_of("\r\n"));
}

// The profile functions drop blanks, tabs, VT, FF and ^Z around a value (as
// measured under Wine), and then one pair of enclosing quotes. Such values
// are written inside an extra pair of quotes so that they come back exactly;
// every other value is written as it is.
std::string quoted(const std::string& value) {
    if (value.empty()) return value;
    auto blank = [](char c) {
        return std::string_view(" \t\v\f\x1A").find(c) != std::string_view::npos;
    };
    bool enclosed =
        value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0];
    if (!enclosed && !blank(value.front()) && !blank(value.back())) return value;
    return '"' + value + '"';
}

void addKey(std::string& text, const std::string& key, const std::string& value) {
    text += key + "=" + quoted(storable(value)) + "\r\n";
}

void addLines(std::string& text, const std::string& key, const std::string& lines) {
    std::vector<std::string> stored = storedLines(lines);
    for (std::size_t k = 0; k < std::min(stored.size(), kMaxLines); ++k)
        addKey(text, key + std::to_string(k + 1), stored[k]);
}

// The file as the profile functions write a new one: a line for each section's
// header and each key, ended by CR LF.
std::string iniText(const State& s) {
    std::string text = "[Velkor]\r\n";
    for (const FlagKey& f : kFlagKeys) addKey(text, f.key, std::to_string(s.settings.*f.flag));
    for (int n = 1; n <= kSlotCount; ++n) addKey(text, configKey(n), s.configs.slot(n).path);
    for (int i = 0; i < kOptionCount; ++i) {
        const Option& o = s.options[i];
        text += "[" + optionSection(i) + "]\r\n";
        addKey(text, "Name", o.name);
        if (o.name.empty()) continue;
        addLines(text, "Config", o.configLines);
        addLines(text, "Autoexec", o.autoexecLines);
    }
    return text;
}

std::string readLines(std::string_view section, const std::string& key) {
    std::string text;
    for (std::size_t k = 1; k <= kMaxLines; ++k) {
        std::string value = readValue(section, key + std::to_string(k));
        if (value.empty()) break;
        appendLine(text, value);
    }
    return text;
}

}  // namespace

std::string loadIni(State& s, Files& files) {
    const std::string path = completedPath(files, s.iniPath);
    std::optional<std::string> ini;
    if (!files.exists(path))
        ini = "";
    else if (!(ini = files.read(path, kReadLimit)))
        return path;

    std::string_view velkor = profileSection(*ini, "Velkor");
    for (const FlagKey& f : kFlagKeys)
        if (auto v = parseFlag(readValue(velkor, f.key))) s.settings.*f.flag = *v;
    for (int n = 1; n <= kSlotCount; ++n) {
        ConfigSlot& slot = s.configs.slot(n);
        slot.path = readValue(velkor, configKey(n));
        // A listed file that is gone keeps its slot; choosing it says so.
        if (!slot.path.empty()) slot.selection = readConfigFile(files, slot.path);
    }
    for (int i = 0; i < kOptionCount; ++i) {
        Option& o = s.options[i];
        std::string_view section = profileSection(*ini, optionSection(i));
        o.name = readValue(section, "Name");
        o.configLines = readLines(section, "Config");
        o.autoexecLines = readLines(section, "Autoexec");
    }
    return "";
}

// Not written through the profile functions: Windows 9x keeps its own copy of
// a profile file and answers their reads from it, so reading back through them
// passes a file that a full disk cut short. A plain write reports a full disk
// itself, and the bytes are read back from the disk before the replace. (Nor is
// the file read through them: a call per key slowed the start by a tenth.)
std::string saveIni(const State& s, Files& files) {
    return writeReplacing(files, s.iniPath, iniText(s));
}
