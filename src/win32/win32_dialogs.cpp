#include "win32/win32_dialogs.h"

#include "win32/option_dialog.h"
#include "win32/resource.h"

bool Win32Dialogs::editOption(OptionEdit& texts, const std::function<bool(OptionEdit&)>& accept) {
    return OptionDialog(texts, accept).run(instance_, owner_, IDD_FORM2) == 1;
}
