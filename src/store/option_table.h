// The program's state: the eleven options, the four settings and the list of
// configuration files. Text is bytes in the Windows ANSI code page.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>

struct OptionRecord {
    std::string Name;           // empty marks an empty entry
    std::string ConfigLines;    // lines joined by CR LF, none after the last
    std::string AutoexecLines;  // the same
    int Ticked = 0;             // 1 = takes part in the next DOS-mode start
};

constexpr int kOptionCount = 11;
using OptionTable = std::array<OptionRecord, kOptionCount>;

// Truth values as stored: -1 on, 0 off. Any other number read from a
// hand-edited file is kept as it is and counts as off.
constexpr std::int16_t kOn = -1, kOff = 0;

struct Settings {
    std::int16_t LöschenMSG = kOn;
    std::int16_t StartenMSG = kOn;
    std::int16_t SofortStart = kOff;
    std::int16_t Taskleiste = kOff;
};

struct ConfigSlot {
    std::string Path;  // empty = free slot
    // The first line of that file, read at load; nothing if it could not be read.
    std::optional<std::string> Selection;
};

constexpr int kSlotCount = 9;

struct ConfigList {
    std::array<ConfigSlot, kSlotCount> slots;  // slots[n - 1] is slot n
    std::array<int, kSlotCount> MenuSlot{};    // menu position -> slot number 1..9

    ConfigSlot& slot(int n) { return slots[n - 1]; }
    const ConfigSlot& slot(int n) const { return slots[n - 1]; }
};
