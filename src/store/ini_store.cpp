#include "store/ini_store.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

#include "store/config_file.h"
#include "store/lines.h"
#include "store/replacing.h"

namespace {

// A value is kept to 128 characters, but asked for with room for one more and
// the closing zero: a quoted value that just fills the room comes back without
// its last character.
constexpr std::size_t kValueCapacity = kMaxValue + 2;

std::string readValue(Profile& profile, const std::string& file, const std::string& section,
                      const std::string& key) {
    return profile.read(file, section, key, kValueCapacity).substr(0, kMaxValue);
}

struct FlagKey {
    const char* key;
    std::int16_t Settings::*flag;
};
constexpr FlagKey kFlagKeys[] = {
    {"LöschenMSG", &Settings::LöschenMSG},
    {"StartenMSG", &Settings::StartenMSG},
    {"SofortStart", &Settings::SofortStart},
    {"Taskleiste", &Settings::Taskleiste},
};

std::string entrySection(int i) {
    return "Eintrag" + std::to_string(i + 1);
}

std::string konfigKey(int n) {
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

// One value of the file: what is written, and what must come back.
struct Entry {
    std::string section, key, value;
};

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

void addLines(std::vector<Entry>& entries, const std::string& section, const std::string& key,
              const std::string& text) {
    std::vector<std::string> lines = storedLines(text);
    lines.resize(std::min(lines.size(), kMaxLines));
    for (std::size_t k = 0; k < lines.size(); ++k)
        entries.push_back({section, key + std::to_string(k + 1), storable(lines[k])});
}

// Everything a save writes, in the order of the file.
std::vector<Entry> entriesOf(const State& s) {
    std::vector<Entry> entries;
    for (const FlagKey& f : kFlagKeys)
        entries.push_back({"Velkor", f.key, std::to_string(s.Settings.*f.flag)});
    for (int n = 1; n <= kSlotCount; ++n)
        entries.push_back({"Velkor", konfigKey(n), storable(s.ConfigList.slot(n).Path)});
    for (int i = 0; i < kOptionCount; ++i) {
        const OptionRecord& r = s.OptionTable[i];
        std::string section = entrySection(i);
        entries.push_back({section, "Name", storable(r.Name)});
        if (r.Name.empty()) continue;
        addLines(entries, section, "Config", r.ConfigLines);
        addLines(entries, section, "Autoexec", r.AutoexecLines);
    }
    return entries;
}

bool writeAll(Profile& profile, const std::string& file, const std::vector<Entry>& entries) {
    for (const Entry& e : entries)
        if (!profile.write(file, e.section, e.key, quoted(e.value))) return false;
    return profile.flush(file);
}

// A disk that filled up can leave a short file that the system reports as written.
bool readsBack(Profile& profile, const std::string& file, const std::vector<Entry>& entries) {
    return std::all_of(entries.begin(), entries.end(), [&](const Entry& e) {
        std::size_t room = std::max(kValueCapacity, e.value.size() + 2);
        return profile.read(file, e.section, e.key, room) == e.value;
    });
}

std::string readLines(Profile& profile, const std::string& file, const std::string& section,
                      const std::string& key) {
    std::string text;
    for (std::size_t k = 1; k <= kMaxLines; ++k) {
        std::string value = readValue(profile, file, section, key + std::to_string(k));
        if (value.empty()) break;
        appendLine(text, value);
    }
    return text;
}

}  // namespace

std::string loadIni(State& s, Profile& profile, Files& files) {
    const std::string ini = completedPath(files, s.IniPath);
    // The profile functions take a file they cannot open for an empty one.
    if (files.exists(ini) && !files.read(ini, 1)) return ini;

    for (const FlagKey& f : kFlagKeys)
        if (auto v = parseFlag(readValue(profile, ini, "Velkor", f.key))) s.Settings.*f.flag = *v;
    for (int n = 1; n <= kSlotCount; ++n) {
        ConfigSlot& slot = s.ConfigList.slot(n);
        slot.Path = readValue(profile, ini, "Velkor", konfigKey(n));
        // A listed file that is gone keeps its slot; choosing it says so.
        if (!slot.Path.empty()) slot.Selection = readConfigFile(files, slot.Path);
    }
    for (int i = 0; i < kOptionCount; ++i) {
        OptionRecord& r = s.OptionTable[i];
        std::string section = entrySection(i);
        r.Name = readValue(profile, ini, section, "Name");
        r.ConfigLines = readLines(profile, ini, section, "Config");
        r.AutoexecLines = readLines(profile, ini, section, "Autoexec");
    }
    return "";
}

std::string saveIni(const State& s, Profile& profile, Files& files) {
    std::string pending = pendingPath(s.IniPath);
    if (!files.remove(pending)) return causeOf(files);
    std::vector<Entry> entries = entriesOf(s);
    if (!writeAll(profile, pending, entries)) return abandon(files, s.IniPath, causeOf(files));
    if (!readsBack(profile, pending, entries)) return abandon(files, s.IniPath, kIncomplete);
    return putInPlace(files, s.IniPath);
}
