// Saving, and the question about unsaved edits before the program ends or
// the computer restarts.
#pragma once
#include "platform/platform.h"
#include "store/state.h"

// "Wollen Sie Ihre aktuellen Velkor speichern?" with Yes and No, and Cancel
// where the user may stay.
Answer askToSave(MessageBoxes& boxes, bool withCancel);

// Writes Velkor.ini and clears `changed`. A failure is told to the user,
// and `changed` stays set.
bool saveState(State& s, Platform& p);

// Whether the program may end now: without unsaved edits at once; otherwise
// the user decides, and a chosen save must have worked.
bool mayLeave(State& s, Platform& p);
