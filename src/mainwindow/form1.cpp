#include "mainwindow/form1.h"

#include "dosmode/restart.h"
#include "mainwindow/saving.h"
#include "platform/text_rules.h"
#include "store/ini_store.h"

void Form1::Form_Load() {
    p_.view.centreOnScreen();
    s_.IniPath = inFolder(p_.system.programFolder(), "Velkor.ini");
    Laden();
}

void Form1::Laden() {
    loadIni(s_, p_.profile, p_.files);
    for (int i = 0; i < kOptionCount; ++i) p_.view.showName(i, s_.OptionTable[i].Name);
}

bool Form1::Form_Unload() {
    return !mayLeave(s_, p_);
}

bool Form1::Form_QueryEndSession() {
    // The restart asked its questions before it asked Windows to reboot.
    return p_.system.rebootRequested() || mayLeave(s_, p_);
}

void Form1::Check1_Click(int row, bool ticked) {
    s_.OptionTable[row].Ticked = ticked ? 1 : 0;
}

void Form1::Command1_Click(int row) {
    OptionRecord& r = s_.OptionTable[row];
    OptionEdit texts{r.Name, r.ConfigLines, r.AutoexecLines};
    auto accept = [this](OptionEdit& typed) { return acceptOptionEdit(typed, p_.boxes); };
    if (!p_.dialogs.editOption(texts, accept)) return;
    r.Name = texts.Name;
    r.ConfigLines = texts.ConfigLines;
    r.AutoexecLines = texts.AutoexecLines;
    p_.view.showName(row, r.Name);
    s_.Changed = true;
}

void Form1::Command2_Click() {
    restartIntoDos(s_, p_);
}

void Form1::Command3_Click() {
    Speichern(s_, p_);
}

void Form1::Command7_Click() {
    if (mayLeave(s_, p_)) p_.view.endProgram();
}
