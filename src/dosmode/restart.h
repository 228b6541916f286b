// The restart into MS-DOS mode: back up the start files, write new ones from
// the ticked options, and ask Windows to reboot.
#pragma once
#include "platform/platform.h"
#include "store/state.h"

// Runs the whole sequence with its questions. Returns true if the reboot was
// requested. Otherwise the user's start files are under their own names, or a
// message box has said where they are.
bool restartIntoDos(State& s, Platform& p);
