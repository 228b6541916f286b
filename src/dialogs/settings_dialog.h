// "&Velkor": the four settings in the settings dialog, and the ".vkf" file
// type registered on request.
#pragma once
#include "platform/dialogs.h"
#include "platform/platform.h"
#include "store/state.h"

// The boxes for the flags: two of them show a flag inverted. A flag that is
// neither on nor off (a hand-edited file) is shown as off.
SettingsChecks checksOf(const Settings& settings);

// The flags the boxes stand for, each on or off.
Settings settingsOf(const SettingsChecks& checks);

// The whole command: taken over, the flags are set, the file type registered
// if asked for (a refusal is told), and `changed` set.
void editSettings(State& s, Platform& p);
