#include "dialogs/settings.h"

#include "registry/file_type.h"

namespace {
std::int16_t flag(bool on) {
    return on ? kOn : kOff;
}
}  // namespace

SettingsChecks checksOf(const Settings& s) {
    // Anything but on is off, as the restart and the start-up read a flag.
    return {s.Taskleiste == kOn, s.LöschenMSG != kOn, s.StartenMSG != kOn, s.SofortStart == kOn,
            false};
}

Settings settingsOf(const SettingsChecks& c) {
    Settings s;
    s.Taskleiste = flag(c.inTaskleisteStarten);
    s.LöschenMSG = flag(!c.keineLöschenMeldung);
    s.StartenMSG = flag(!c.keineNeustartMeldung);
    s.SofortStart = flag(c.sofortStarten);
    return s;
}

void editSettings(State& s, Platform& p) {
    SettingsChecks checks = checksOf(s.Settings);
    if (!p.dialogs.editSettings(checks)) return;
    s.Settings = settingsOf(checks);
    s.Changed = true;
    if (checks.dateitypRegistrieren && !registerVkfFiles(p.registry, p.system.programFolder()))
        p.boxes.show(
            "Die .vkf-Dateien konnten nicht mit Velkor\rverknüpft werden. Dazu fehlt "
            "die Berech-\rtigung, oder die Registrierung ist gesperrt.",
            "Einstellungen", mb::Ok | mb::IconExclamation);
}
