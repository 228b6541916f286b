// The restart into MS-DOS mode: back up the start files, write new ones from
// the ticked options, and ask Windows to reboot.
#pragma once
#include <functional>

#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/system.h"
#include "store/option_table.h"

struct RestartRequest {
    const OptionTable& table;
    const Settings& settings;
    bool changed;                // unsaved edits: offer to save first
    std::function<bool()> save;  // writes Velkor.ini, tells the user if it cannot
};

// Runs the whole sequence with its questions. Returns true if the reboot was
// requested. Otherwise the user's start files are under their own names, or a
// message box has said where they are.
bool restartIntoDos(Files& files, System& system, MessageBoxes& boxes,
                    const RestartRequest& request);
