// Form4, "Einstellungen ändern": the five boxes of the settings.
#pragma once
#include "platform/dialogs.h"
#include "win32/dialog.h"

class SettingsDialog : public Dialog {
  public:
    explicit SettingsDialog(SettingsChecks& checks) : checks_(checks) {}

  private:
    void onInit() override;
    void onClick(int id) override;

    SettingsChecks& checks_;
};
