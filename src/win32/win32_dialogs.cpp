#include "win32/win32_dialogs.h"

#include "win32/option_dialog.h"

bool Win32Dialogs::editOption(OptionEdit& texts) {
    return showOptionDialog(instance_, owner_, texts);
}
