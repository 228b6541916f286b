// The program's state: the eleven options, the four settings and the list of
// configuration files. Text is bytes in the Windows ANSI code page.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>

struct Option {
    std::string name;           // empty marks an empty option
    std::string configLines;    // lines joined by CR LF, none after the last
    std::string autoexecLines;  // the same
    int ticked = 0;             // 1 = takes part in the next DOS-mode start
};

constexpr int kOptionCount = 11;
using Options = std::array<Option, kOptionCount>;

// Truth values as stored: -1 on, 0 off. Any other number read from a
// hand-edited file is kept as it is and counts as off.
constexpr std::int16_t kOn = -1, kOff = 0;

struct Settings {
    std::int16_t askBeforeDeleting = kOn;
    std::int16_t noticeBeforeRestart = kOn;
    std::int16_t restartOnChoice = kOff;
    std::int16_t startInTray = kOff;
};

struct ConfigSlot {
    std::string path;  // empty = free slot
    // The first line of that file, read at load; nothing if it could not be read.
    std::optional<std::string> selection;
};

constexpr int kSlotCount = 9;

struct ConfigList {
    std::array<ConfigSlot, kSlotCount> slots;  // slots[n - 1] is slot n
    std::array<int, kSlotCount> menuSlots{};   // menu position -> slot number 1..9

    ConfigSlot& slot(int n) { return slots[n - 1]; }
    const ConfigSlot& slot(int n) const { return slots[n - 1]; }
};
