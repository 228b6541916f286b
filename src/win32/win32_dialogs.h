// The program's modal dialogs as Windows shows them, each owned by the main
// window. Each method is defined in its dialog's own file.
#pragma once
#include <windows.h>

#include "platform/dialogs.h"

class Win32Dialogs : public Dialogs {
  public:
    Win32Dialogs(HINSTANCE instance, HWND owner) : instance_(instance), owner_(owner) {}
    bool showOptionEditor(OptionTexts& texts,
                          const std::function<bool(OptionTexts&)>& accept) override;
    bool showArrangeDialog(ConfigRows& rows,
                           const std::function<std::optional<std::string>()>& pick) override;
    bool showSettingsDialog(SettingsChecks& checks) override;
    void showAboutBox(const std::function<void()>& followLink) override;

  private:
    HINSTANCE instance_;
    HWND owner_;
};
