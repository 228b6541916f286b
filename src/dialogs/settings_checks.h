// The five boxes of the settings dialog, as they are ticked on screen.
#pragma once

struct SettingsChecks {
    bool inTaskleisteStarten = false;   // Taskleiste on
    bool keineLoeschenMeldung = false;  // LöschenMSG off
    bool keineNeustartMeldung = false;  // StartenMSG off
    bool sofortStarten = false;         // SofortStart on
    bool dateitypRegistrieren = false;  // a request, not a setting
};
