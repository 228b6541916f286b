#include "store/ini_store.h"

#include <optional>

#include "store/lines.h"

namespace {

const char* const kFlagKeys[] = {"LöschenMSG", "StartenMSG", "SofortStart", "Taskleiste"};

std::int16_t* flagFields(Settings& s, int k) {
    std::int16_t* fields[] = {&s.LöschenMSG, &s.StartenMSG, &s.SofortStart, &s.Taskleiste};
    return fields[k];
}

std::string entrySection(int i) {
    return "Eintrag" + std::to_string(i + 1);
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

// The name an unfinished save writes to before it replaces Velkor.ini.
std::string pendingPath(const std::string& iniPath) {
    std::size_t dot = iniPath.rfind('.');
    std::size_t slash = iniPath.rfind('\\');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return iniPath + ".neu";
    return iniPath.substr(0, dot) + ".neu";
}

// The profile functions drop blanks around a value and one pair of enclosing
// quotes. Such values are written inside an extra pair of quotes so that they
// come back exactly; every other value is written as it is.
std::string stored(const std::string& value) {
    if (value.empty()) return value;
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    bool quoted =
        value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0];
    if (!quoted && !blank(value.front()) && !blank(value.back())) return value;
    return '"' + value + '"';
}

std::string readLines(Profile& profile, const std::string& file, const std::string& section,
                      const std::string& key) {
    std::string text;
    for (std::size_t k = 1; k <= kMaxLines; ++k) {
        std::string value = profile.read(file, section, key + std::to_string(k), kValueCapacity);
        if (value.empty()) break;
        appendLine(text, value);
    }
    return text;
}

bool writeLines(Profile& profile, const std::string& file, const std::string& section,
                const std::string& key, const std::string& text) {
    std::size_t k = 0;
    for (const std::string& line : splitLines(text, kMaxLines))
        if (!profile.write(file, section, key + std::to_string(++k), stored(line))) return false;
    return true;
}

bool writeAll(Profile& profile, const std::string& file, const StoreState& state) {
    for (int k = 0; k < 4; ++k)
        if (!profile.write(file, "Velkor", kFlagKeys[k],
                           std::to_string(*flagFields(state.settings, k))))
            return false;
    for (int n = 1; n <= kSlotCount; ++n)
        if (!profile.write(file, "Velkor", "Konfig" + std::to_string(n),
                           state.configs.slot(n).Path))
            return false;
    for (int i = 0; i < kOptionCount; ++i) {
        const OptionRecord& r = state.options[i];
        std::string section = entrySection(i);
        if (!profile.write(file, section, "Name", stored(r.Name))) return false;
        if (r.Name.empty()) continue;
        if (!writeLines(profile, file, section, "Config", r.ConfigLines)) return false;
        if (!writeLines(profile, file, section, "Autoexec", r.AutoexecLines)) return false;
    }
    return profile.flush(file);
}

}  // namespace

std::string readSelectionFile(Files& files, const std::string& path) {
    std::optional<std::string> bytes = files.read(path, 4096);
    if (!bytes) return {};
    return bytes->substr(0, bytes->find_first_of("\r\n"));
}

void loadIni(Profile& profile, Files& files, const std::string& iniPath, StoreState state) {
    // A save that stopped between removing the old file and renaming the new
    // one leaves only the new, complete one.
    std::string pending = pendingPath(iniPath);
    if (!files.exists(iniPath) && files.exists(pending)) files.rename(pending, iniPath);

    for (int k = 0; k < 4; ++k) {
        std::optional<std::int16_t> v =
            parseFlag(profile.read(iniPath, "Velkor", kFlagKeys[k], kValueCapacity));
        if (v) *flagFields(state.settings, k) = *v;
    }
    for (int n = 1; n <= kSlotCount; ++n) {
        ConfigSlot& slot = state.configs.slot(n);
        slot.Path = profile.read(iniPath, "Velkor", "Konfig" + std::to_string(n), kValueCapacity);
        slot.Selection = slot.Path.empty() ? std::string() : readSelectionFile(files, slot.Path);
    }
    for (int i = 0; i < kOptionCount; ++i) {
        OptionRecord& r = state.options[i];
        std::string section = entrySection(i);
        r.Name = profile.read(iniPath, section, "Name", kValueCapacity);
        r.ConfigLines = readLines(profile, iniPath, section, "Config");
        r.AutoexecLines = readLines(profile, iniPath, section, "Autoexec");
    }
}

bool saveIni(Profile& profile, Files& files, const std::string& iniPath, const StoreState& state) {
    std::string pending = pendingPath(iniPath);
    if (!files.remove(pending)) return false;
    if (writeAll(profile, pending, state) && files.replace(pending, iniPath)) return true;
    files.remove(pending);
    return false;
}
