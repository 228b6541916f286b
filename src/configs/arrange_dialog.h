// "&Anordnen": the arrange dialog decides which files are listed, in which slot.
#pragma once
#include "platform/platform.h"
#include "store/state.h"

// The whole command: taken over, each listed file is read again (the files
// that cannot be read are told in one message), both configuration menus
// show the list, and `changed` is set.
void arrangeConfigurations(State& s, Platform& p);
