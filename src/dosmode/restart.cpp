#include "dosmode/restart.h"

bool restartIntoDos(Files&, System&, MessageBoxes&, const RestartRequest&) { return false; }
