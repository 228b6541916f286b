#include "win32/win32_dialogs.h"

#include "win32/about_box.h"
#include "win32/arrange_dialog.h"
#include "win32/option_dialog.h"
#include "win32/resource.h"
#include "win32/settings_dialog.h"

bool Win32Dialogs::editOption(OptionEdit& texts, const std::function<bool(OptionEdit&)>& accept) {
    return OptionDialog(texts, accept).run(instance_, owner_, IDD_FORM2) == 1;
}

bool Win32Dialogs::arrangeConfigs(ConfigRows& rows,
                                  const std::function<std::optional<std::string>()>& pick) {
    return ArrangeDialog(rows, pick).run(instance_, owner_, IDD_FORM3) == 1;
}

bool Win32Dialogs::editSettings(SettingsChecks& checks) {
    return SettingsDialog(checks).run(instance_, owner_, IDD_FORM4) == 1;
}

void Win32Dialogs::showAbout(const std::function<void()>& followLink) {
    AboutBox(followLink).run(instance_, owner_, IDD_FORM5);
}
