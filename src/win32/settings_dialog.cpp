// The settings dialog, "Einstellungen ändern": the five boxes of the settings.
#include "win32/dialog.h"
#include "win32/resource.h"
#include "win32/win32_dialogs.h"

namespace {

constexpr int kClientWidth = 4935, kClientHeight = 2475;  // twips
constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP, kButton = BS_PUSHBUTTON | WS_TABSTOP;

// In their tab order: the fifth box stands fourth but comes last.
const ControlSpec kControls[] = {
    {IDC_SETTINGS_DIALOG_START_IN_TRAY, "BUTTON", "&In Taskleiste starten", kCheck, 0, 120, 120,
     4695, 255},
    {IDC_SETTINGS_DIALOG_NO_DELETE_QUESTION, "BUTTON", "&Keine \"Löschen\"-Meldung", kCheck, 0, 120,
     480, 4695, 255},
    {IDC_SETTINGS_DIALOG_NO_RESTART_NOTICE, "BUTTON", "K&eine \"Neu starten\"-Meldung", kCheck, 0,
     120, 840, 4695, 255},
    {IDC_SETTINGS_DIALOG_RESTART_ON_CHOICE, "BUTTON", "&Neustart sofort nach Konfigurationsauswahl",
     kCheck, 0, 120, 1560, 4695, 255},
    {IDC_SETTINGS_DIALOG_CANCEL, "BUTTON", "&Abbrechen", kButton, 0, 120, 1980, 1455, 375},
    {IDC_SETTINGS_DIALOG_ACCEPT, "BUTTON", "Ü&bernehmen", kButton, 0, 3360, 1980, 1455, 375},
    {IDC_SETTINGS_DIALOG_REGISTER_VKF, "BUTTON", ".&vkf-Dateien mit diesem Programm öffnen", kCheck,
     0, 120, 1200, 4695, 255},
};

const struct {
    int id;
    bool SettingsChecks::*box;
} kBoxes[] = {
    {IDC_SETTINGS_DIALOG_START_IN_TRAY, &SettingsChecks::startInTray},
    {IDC_SETTINGS_DIALOG_NO_DELETE_QUESTION, &SettingsChecks::noDeleteQuestion},
    {IDC_SETTINGS_DIALOG_NO_RESTART_NOTICE, &SettingsChecks::noRestartNotice},
    {IDC_SETTINGS_DIALOG_RESTART_ON_CHOICE, &SettingsChecks::restartOnChoice},
    {IDC_SETTINGS_DIALOG_REGISTER_VKF, &SettingsChecks::registerVkf},
};

class SettingsDialog : public Dialog {
  public:
    explicit SettingsDialog(SettingsChecks& checks) : checks_(checks) {}

  private:
    void onInit() override;
    void onClick(int id) override;

    SettingsChecks& checks_;
};

void SettingsDialog::onInit() {
    layOut(kClientWidth, kClientHeight, kControls, std::size(kControls));
    for (const auto& b : kBoxes)
        SendMessageA(item(b.id), BM_SETCHECK, checks_.*b.box ? BST_CHECKED : BST_UNCHECKED, 0);
    SetFocus(item(IDC_SETTINGS_DIALOG_START_IN_TRAY));
}

void SettingsDialog::onClick(int id) {
    if (id == IDC_SETTINGS_DIALOG_CANCEL) end(0);
    if (id != IDC_SETTINGS_DIALOG_ACCEPT) return;
    for (const auto& b : kBoxes)
        checks_.*b.box = SendMessageA(item(b.id), BM_GETCHECK, 0, 0) == BST_CHECKED;
    end(1);
}

}  // namespace

bool Win32Dialogs::showSettingsDialog(SettingsChecks& checks) {
    return SettingsDialog(checks).run(instance_, owner_, IDD_SETTINGS_DIALOG) == 1;
}
