// Under Wine, the system's profile functions against Velkor's reading of the
// same bytes: on generated files, and on what a save of Velkor.ini writes,
// which must also read back as what was saved. Stops at the first difference
// and tells it.
#include <cstdio>
#include <random>

#include "platform/win32/win32_platform.h"
#include "store/ini_store.h"
#include "store/lines.h"
#include "store/profile_text.h"

namespace {
using namespace std::literals;

std::mt19937 chance(17);  // the same files on every run

// Names as a hand-edited file spells them, and the bytes the rules tell apart;
// a save's values hold all but the last three.
// Letters beyond ASCII keep their case: only Windows folds them.
const std::string kNames[] = {"Velkor", "VELKOR", "Eintrag1",   "eintrag1", "Spä",
                              "Name",   "name",   "LöschenMSG", "",         "[x",
                              "x]",     "A][B",   ";x"};
constexpr std::string_view kBytes = " \t\v\f\x1a\"'=[];xYü\x81\xa0\0\r\n"sv;
constexpr std::string_view kSaved = kBytes.substr(0, kBytes.size() - 3);

std::string some(unsigned most) {
    std::string s;
    for (unsigned n = chance() % (most + 1); n > 0; --n) s += kBytes[chance() % kBytes.size()];
    return s;
}
std::string asked() {
    return kNames[chance() % std::size(kNames)];
}
std::string name() {  // in the file: now and then with bytes around
    return chance() % 4 ? asked() : some(1) + asked() + some(1);
}
std::string value() {  // often quoted, now and then of about 128 characters
    std::string q = chance() % 3 ? some(1) : "\"";
    return q + (chance() % 5 ? some(2) + name() + some(2) : std::string(126 + chance() % 4, 'v')) +
           (chance() % 2 ? q : some(1));
}
std::string line() {  // a header with or without "]", a key with or without "="
    if (chance() % 5 == 0) return some(1) + "[" + name() + (chance() % 4 ? "]" : "") + some(2);
    return name() + (chance() % 5 ? "=" + value() : "");
}

// Values a save keeps as given: not empty, now and then as long as it keeps
// them; as lines, up to 20 of them.
std::string saved(bool lines = false) {
    std::string text;
    for (std::size_t n = !lines ? 1 : chance() % 4 ? chance() % 4 : kMaxLines; n > 0; --n) {
        std::string value(chance() % 5 ? 1 + chance() % 6 : kMaxValue, ' ');
        for (char& c : value) c = kSaved[chance() % kSaved.size()];
        appendLine(text, value);
    }
    return text;
}
std::string kept(const State& s) {
    std::string text;
    for (const Option& r : s.options)
        text += r.name + "|" + r.configLines + "|" + r.autoexecLines + "|";
    return text;
}

std::string shown(std::string_view bytes) {
    std::string s = "\"";
    for (unsigned char c : bytes) {
        char hex[8];
        bool plain = c >= ' ' && c < 0x7F && c != '"' && c != '\\';
        s += std::string(hex, std::snprintf(hex, sizeof hex, plain ? "%c" : "\\x%02X", c));
    }
    return s + "\"";
}

// Tells the difference, the bytes spelled out.
bool same(const std::string& what, const std::string& system, const std::string& other) {
    if (system != other)
        std::printf("%s:\nsystem %s\nother  %s\n", what.c_str(), shown(system).c_str(),
                    shown(other).c_str());
    return system == other;
}

// `key` of `section` read by the system and by Velkor.
bool readAlike(const std::string& path, const std::string& bytes, const std::string& section,
               const std::string& key) {
    char value[1024];
    DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", value, sizeof value,
                                       path.c_str());
    return same(path + ": [" + shown(section) + "] " + shown(key), std::string(value, n),
                std::string(profileValue(profileSection(bytes, section), key)));
}

}  // namespace

int main() {
    char temp[MAX_PATH];
    const std::string folder(temp, GetTempPathA(MAX_PATH, temp));
    const int kFiles = 400, kReads = 24, kSaves = 100;
    Win32Files disk;
    for (int n = 1; n <= kFiles; ++n) {
        // A new name each time: the system keeps files it has read.
        std::string path = folder + "profile" + std::to_string(n) + ".ini", bytes;
        for (unsigned k = chance() % 24; k > 0; --k)
            bytes += line() + (chance() % 2 ? "\r\n" : chance() % 2 ? "\n" : "\r");
        disk.write(path, bytes);
        for (int r = 0; r < kReads; ++r)
            if (!readAlike(path, bytes, asked(), asked())) return 1;
        disk.remove(path);
    }
    for (int n = 1; n <= kSaves; ++n) {
        State s, back;
        s.iniPath = back.iniPath = folder + "velkor" + std::to_string(n) + ".ini";
        for (Option& r : s.options) r = {saved(), saved(true), saved(true), 0};
        if (std::string problem = saveIni(s, disk); !problem.empty())
            return std::printf("Saving %s: %s\n", s.iniPath.c_str(), problem.c_str()), 1;
        std::string bytes = disk.read(s.iniPath, 1 << 20).value_or("");
        for (int i = 1; i <= kOptionCount; ++i) {
            std::string section = "Eintrag" + std::to_string(i);
            if (!readAlike(s.iniPath, bytes, section, "Name")) return 1;
            for (std::size_t k = 1; k <= kMaxLines; ++k)
                if (!readAlike(s.iniPath, bytes, section, "Config" + std::to_string(k)) ||
                    !readAlike(s.iniPath, bytes, section, "Autoexec" + std::to_string(k)))
                    return 1;
        }
        loadIni(back, disk);
        if (!same("saved as " + s.iniPath, kept(back), kept(s))) return 1;
        disk.remove(s.iniPath);
    }
    std::printf("Velkor reads as the system does, and saves read back as saved.\n");
    return 0;
}
