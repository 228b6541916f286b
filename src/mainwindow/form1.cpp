#include "mainwindow/form1.h"

#include "dosmode/restart.h"
#include "store/ini_path.h"
#include "store/ini_store.h"

namespace {
const char kSaveQuestion[] = "Wollen Sie Ihre aktuellen Velkor speichern?";
}

void Form1::Form_Load() {
    p_.view.centreOnScreen();
    IniPath = iniPathFor(p_.system.programFolder());
    Laden();
    // Next, once they exist: the configuration named on the command line, the
    // configuration menus, and the start in the notification area.
}

void Form1::Laden() {
    loadIni(p_.profile, p_.files, IniPath, {table, settings, configs});
    for (int i = 0; i < kOptionCount; ++i) p_.view.showName(i, table[i].Name);
}

bool Form1::Speichern() {
    if (!saveIni(p_.profile, p_.files, IniPath, {table, settings, configs})) {
        p_.boxes.show("Velkor konnte die Einstellungen nicht in\r" + IniPath +
                          "\rspeichern. Die Datei ist schreibgeschützt,\r"
                          "oder der Datenträger ist voll.\r"
                          "Ihre Änderungen sind noch nicht gesichert.",
                      "Speichern", mb::Ok | mb::IconExclamation);
        return false;
    }
    Changed = false;
    return true;
}

Answer Form1::askToSave() {
    return p_.boxes.show(kSaveQuestion, "Speichern", mb::YesNoCancel | mb::IconQuestion);
}

bool Form1::Form_Unload() {
    if (!Changed) return false;
    switch (askToSave()) {
        case Answer::Yes:
            return !Speichern();
        case Answer::No:
            return false;
        default:
            return true;
    }
}

void Form1::Check1_Click(int row, bool ticked) {
    table[row].Ticked = ticked ? 1 : 0;
}

void Form1::Command1_Click(int row) {
    OptionRecord& r = table[row];
    OptionEdit texts{r.Name, r.ConfigLines, r.AutoexecLines};
    if (!p_.dialogs.editOption(texts)) return;
    r.Name = texts.Name;
    r.ConfigLines = texts.ConfigLines;
    r.AutoexecLines = texts.AutoexecLines;
    p_.view.showName(row, r.Name);
    Changed = true;
}

void Form1::Command2_Click() {
    RestartRequest request{table, settings, Changed, [this] { return Speichern(); }};
    restartIntoDos(p_.files, p_.system, p_.boxes, request);
}

void Form1::Command3_Click() {
    Speichern();
}

void Form1::Command7_Click() {
    if (Changed) {
        Answer a = askToSave();
        if (a == Answer::Cancel) return;
        if (a == Answer::Yes && !Speichern()) return;
    }
    p_.view.endProgram();
}
