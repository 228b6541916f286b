// Form4, "Einstellungen ändern": the five boxes of the settings.
#include "win32/dialog.h"
#include "win32/resource.h"
#include "win32/win32_dialogs.h"

namespace {

constexpr int kClientWidth = 4935, kClientHeight = 2475;  // twips
constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP, kButton = BS_PUSHBUTTON | WS_TABSTOP;

// In their tab order: the fifth box stands fourth but comes last.
const ControlSpec kControls[] = {
    {IDC_F4_CHECK1, "BUTTON", "&In Taskleiste starten", kCheck, 0, 120, 120, 4695, 255},
    {IDC_F4_CHECK2, "BUTTON", "&Keine \"Löschen\"-Meldung", kCheck, 0, 120, 480, 4695, 255},
    {IDC_F4_CHECK3, "BUTTON", "K&eine \"Neu starten\"-Meldung", kCheck, 0, 120, 840, 4695, 255},
    {IDC_F4_CHECK4, "BUTTON", "&Neustart sofort nach Konfigurationsauswahl", kCheck, 0, 120, 1560,
     4695, 255},
    {IDC_F4_COMMAND1, "BUTTON", "&Abbrechen", kButton, 0, 120, 1980, 1455, 375},
    {IDC_F4_COMMAND2, "BUTTON", "Ü&bernehmen", kButton, 0, 3360, 1980, 1455, 375},
    {IDC_F4_CHECK5, "BUTTON", ".&vkf-Dateien mit diesem Programm öffnen", kCheck, 0, 120, 1200,
     4695, 255},
};

const struct {
    int id;
    bool SettingsChecks::*box;
} kBoxes[] = {
    {IDC_F4_CHECK1, &SettingsChecks::inTaskleisteStarten},
    {IDC_F4_CHECK2, &SettingsChecks::keineLöschenMeldung},
    {IDC_F4_CHECK3, &SettingsChecks::keineNeustartMeldung},
    {IDC_F4_CHECK4, &SettingsChecks::sofortStarten},
    {IDC_F4_CHECK5, &SettingsChecks::dateitypRegistrieren},
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
    SetFocus(item(IDC_F4_CHECK1));
}

void SettingsDialog::onClick(int id) {
    if (id == IDC_F4_COMMAND1) end(0);
    if (id != IDC_F4_COMMAND2) return;
    for (const auto& b : kBoxes)
        checks_.*b.box = SendMessageA(item(b.id), BM_GETCHECK, 0, 0) == BST_CHECKED;
    end(1);
}

}  // namespace

bool Win32Dialogs::editSettings(SettingsChecks& checks) {
    return SettingsDialog(checks).run(instance_, owner_, IDD_FORM4) == 1;
}
