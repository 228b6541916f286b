// Velkor.ini: read once at start-up, rewritten as a whole on every save.
#pragma once
#include <cstddef>

#include "platform/files.h"
#include "store/state.h"

// What the format keeps: each value is read into 128 characters, and at most
// 20 lines of each kind are written and read per option.
constexpr std::size_t kMaxValue = 128;
constexpr std::size_t kMaxLines = 20;

// Fills names, lines, settings and the configuration list from the file at
// `iniPath`, or from the complete copy a stopped save left beside it. A missing
// file or key leaves the defaults; nothing in the file can make it fail.
// Returns "", or the path of a file that is there but cannot be read (held
// open by another program): then nothing is loaded.
std::string loadIni(State& s, Files& files);

// Writes everything but the ticks into a new file beside the old one, reads it
// back from the disk, and only then puts it in the old one's place (see
// replacing.h). Returns "" once saved, or what went wrong as lines of a message.
std::string saveIni(const State& s, Files& files);
