// The fake profile against the system's functions: the same generated files,
// read and written through both, must give the same values and the same bytes.
// Stops at the first difference and tells it.
#include <cstdio>
#include <random>

#include "fakes/fake_profile.h"
#include "platform/win32/win32_platform.h"

namespace {
using namespace std::literals;

std::mt19937 chance(17);  // the same files on every run

// Names as a hand-edited file spells them, and the bytes the rules tell apart.
// Letters beyond ASCII keep their case: only Windows folds them.
const std::string kNames[] = {"Velkor", "VELKOR", "Eintrag1",   "eintrag1", "Spä",
                              "Name",   "name",   "LöschenMSG", "",         "[x",
                              "x]",     "A][B",   ";x"};
constexpr std::string_view kBytes = " \t\v\f\x1a\0\"'=[];xYü\x81\xa0\r\n"sv;

std::string some(unsigned most) {
    std::string s;
    for (unsigned n = chance() % (most + 1); n > 0; --n) s += kBytes[chance() % kBytes.size()];
    return s;
}
std::string name() {  // now and then with bytes around
    std::string name = kNames[chance() % std::size(kNames)];
    return chance() % 4 ? name : some(1) + name + some(1);
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
bool same(const std::string& what, const std::string& system, const std::string& fake) {
    if (system != fake)
        std::printf("%s:\nsystem %s\nfake   %s\n", what.c_str(), shown(system).c_str(),
                    shown(fake).c_str());
    return system == fake;
}

}  // namespace

int main() {
    char temp[MAX_PATH];
    const std::string folder(temp, GetTempPathA(MAX_PATH, temp));
    const int kFiles = 300, kWrites = 3, kReads = 12;
    Win32Files disk;
    Win32Profile system;
    FakeFiles drive;
    FakeProfile fake{drive};
    for (int n = 1; n <= kFiles; ++n) {
        // A new name each time: the system keeps files it has read.
        std::string path = folder + "profile" + std::to_string(n) + ".ini", bytes,
                    when = "file " + std::to_string(n);
        for (unsigned k = chance() % 24; k > 0; --k)
            bytes += line() + (chance() % 2 ? "\r\n" : chance() % 2 ? "\n" : "\r");
        disk.write(path, bytes);
        drive.put(path, bytes);
        bool agree = true;
        for (int w = 0; agree && w <= kWrites; ++w) {
            for (int r = 0; agree && r < kReads; ++r) {
                std::string section = name(), key = name();
                std::size_t room =
                    1 + chance() % 3 + (chance() % 2 ? 127 : 0);  // a quoted value may just fit
                agree = same(when + ": [" + shown(section) + "] " + shown(key) + " in " +
                                 std::to_string(room),
                             system.read(path, section, key, room),
                             fake.read(path, section, key, room));
            }
            if (!agree || w == kWrites) break;
            // now and then the value a key has already, which writes nothing
            std::string section = name(), key = name(),
                        text = chance() % 4 ? value() : fake.read(path, section, key, 4096);
            system.write(path, section, key, text);
            fake.write(path, section, key, text);
            system.flush(path);
            fake.flush(path);
            when += (w ? ", " : " after writing ") + shown(section) + " " + shown(key) + " " +
                    shown(text);
            agree = same(when, disk.read(path, 1 << 16).value_or(""), drive.get(path).value_or(""));
        }
        if (!agree)
            return disk.write(path, bytes), std::printf("The file was %s.\n", path.c_str()), 1;
        disk.remove(path);
    }
    std::printf("%d files, %d writes, %d reads: the fake answers as the system does\n", kFiles,
                kFiles * kWrites, kFiles * (kWrites + 1) * kReads);
    return 0;
}
