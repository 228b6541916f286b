// Form2, "Option ändern": the name and the start-file lines of one option,
// edited in a modal dialog over the main window.
#pragma once
#include <windows.h>

#include "dialogs/option_edit.h"

// True if the user accepted with "Ü&bernehmen"; `texts` then holds exactly
// what was typed. "&Abbrechen" and the close box leave `texts` untouched.
bool showOptionDialog(HINSTANCE instance, HWND owner, OptionEdit& texts);
