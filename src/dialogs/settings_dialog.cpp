#include "dialogs/settings_dialog.h"

#include "registry/file_type.h"

namespace {
std::int16_t flag(bool on) {
    return on ? kOn : kOff;
}
}  // namespace

SettingsChecks checksOf(const Settings& s) {
    // Anything but on is off, as the restart and the start-up read a flag.
    return {s.startInTray == kOn, s.askBeforeDeleting != kOn, s.noticeBeforeRestart != kOn,
            s.restartOnChoice == kOn, false};
}

Settings settingsOf(const SettingsChecks& c) {
    Settings s;
    s.startInTray = flag(c.startInTray);
    s.askBeforeDeleting = flag(!c.noDeleteQuestion);
    s.noticeBeforeRestart = flag(!c.noRestartNotice);
    s.restartOnChoice = flag(c.restartOnChoice);
    return s;
}

void editSettings(State& s, Platform& p) {
    SettingsChecks checks = checksOf(s.settings);
    if (!p.dialogs.showSettingsDialog(checks)) return;
    s.settings = settingsOf(checks);
    s.changed = true;
    if (checks.registerVkf && !registerVkfFiles(p.registry, p.system.programFolder()))
        p.boxes.show(
            "Die .vkf-Dateien konnten nicht mit Velkor\rverknüpft werden. Dazu fehlt "
            "die Berech-\rtigung, oder die Registrierung ist gesperrt.",
            "Einstellungen", mb::Ok | mb::IconExclamation);
}
