// The one state of a run. The main window owns it; every part of the program
// that reads or changes it is handed it, and none keeps a copy.
#pragma once
#include <string>

#include "store/options.h"

struct State {
    Options options;
    Settings settings;
    ConfigList configs;
    std::string iniPath;   // Velkor.ini beside the program, set once at start-up
    bool changed = false;  // edits that Velkor.ini does not hold yet
    // Windows was asked to reboot and did not refuse: the shutdown that
    // follows is our own restart, whose questions have been asked.
    bool rebootRequested = false;
};
