#include "store/saving.h"

#include "store/ini_store.h"

Answer askToSave(MessageBoxes& boxes, bool withCancel) {
    return boxes.show("Wollen Sie Ihre aktuellen Velkor speichern?", "Speichern",
                      (withCancel ? mb::YesNoCancel : mb::YesNo) | mb::IconQuestion);
}

bool saveState(State& s, Platform& p) {
    std::string problem = saveIni(s, p.files);
    if (!problem.empty()) {
        p.boxes.show("Velkor konnte die Einstellungen nicht in\r" + s.iniPath + "\rspeichern:\r" +
                         problem + "\rIhre Änderungen sind noch nicht gesichert.",
                     "Speichern", mb::Ok | mb::IconExclamation);
        return false;
    }
    s.changed = false;
    return true;
}

bool mayLeave(State& s, Platform& p) {
    if (!s.changed) return true;
    switch (askToSave(p.boxes, true)) {
        case Answer::Yes:
            return saveState(s, p);
        case Answer::No:
            return true;
        default:
            return false;
    }
}
