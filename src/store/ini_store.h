// Velkor.ini: load once at start-up, rewrite as a whole on every save.
#pragma once
#include <string>

#include "platform/files.h"
#include "platform/profile.h"
#include "store/option_table.h"

struct StoreState {
    OptionTable& options;
    Settings& settings;
    ConfigList& configs;
};

// Each value is read into 128 characters; at most 20 lines of each kind.
constexpr std::size_t kValueCapacity = 129;
constexpr std::size_t kMaxLines = 20;

// Fills names, lines, settings and the configuration list from the file. A
// missing file or key leaves the defaults; nothing in the file can make it fail.
void loadIni(Profile& profile, Files& files, const std::string& iniPath, StoreState state);

// Writes everything but the ticks into a new file beside the old one, then puts
// it in the old one's place, so an interrupted save leaves one whole file. False
// if the file could not be written; the old file is then unchanged.
bool saveIni(Profile& profile, Files& files, const std::string& iniPath, const StoreState& state);

// The first line of a configuration file; "" if it is missing, unreadable or empty.
std::string readSelectionFile(Files& files, const std::string& path);
