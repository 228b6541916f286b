#include "mainwindow/form1.h"

#include "configs/configurations.h"
#include "dialogs/about.h"
#include "dialogs/option_edit.h"
#include "dialogs/settings.h"
#include "dosmode/restart.h"
#include "mainwindow/window_modes.h"
#include "platform/text_rules.h"
#include "store/ini_store.h"
#include "store/replacing.h"
#include "store/saving.h"

bool Form1::Form_Load() {
    p_.view.centreOnScreen();
    s_.iniPath = inFolder(p_.system.programFolder(), "Velkor.ini");
    if (!Laden()) return false;
    applyCommandLine(s_, p_, p_.system.commandLine());
    FillConfigMenus(s_, p_.view);
    p_.tray.prepare();
    // Started in the notification area, the window is never shown.
    if (s_.settings.startInTray != kOn || !hideInTray(p_)) p_.view.setVisible(true);
    return true;
}

// Started with empty rows, Velkor would replace the real file at the next save.
bool Form1::Laden() {
    std::string unreadable;
    while (!(unreadable = loadIni(s_, p_.profile, p_.files)).empty()) {
        Answer a = p_.boxes.show("Velkor kann seine Einstellungen nicht lesen:\r" + unreadable +
                                     "\r" + causeOf(p_.files) +
                                     "\rHält ein anderes Programm die Datei geöffnet?\r"
                                     "Mit \"Abbrechen\" wird Velkor beendet.",
                                 "Laden", mb::RetryCancel | mb::IconExclamation);
        if (a != Answer::Retry) return false;
    }
    for (int i = 0; i < kOptionCount; ++i) showName(i);
    return true;
}

void Form1::showName(int row) {
    p_.view.showName(row, doubled(s_.options[row].name, '&'));
}

bool Form1::Form_Unload() {
    return !mayLeave(s_, p_);
}

bool Form1::Form_QueryEndSession() {
    // The restart asked its questions before it asked Windows to reboot.
    return s_.rebootRequested || mayLeave(s_, p_);
}

void Form1::Form_MouseDown(int button, int x) {
    answerIconClick(p_, button, x);
}

void Form1::TaskbarCreated() {
    addIconAgain(p_);
}

void Form1::StartedAgain(const std::string& commandLine) {
    // The handler that opened the modal window is still running.
    if (p_.view.modalOpen()) return p_.view.bringModalForward();
    // A double click on a file only ticks, as at a start; it never restarts.
    showFromTray(p_);
    applyCommandLine(s_, p_, commandLine);
}

void Form1::Check1_Click(int row, bool ticked) {
    s_.options[row].ticked = ticked ? 1 : 0;
}

void Form1::Command1_Click(int row) {
    Option& r = s_.options[row];
    OptionEdit texts{r.name, r.configLines, r.autoexecLines};
    auto accept = [this](OptionEdit& typed) { return acceptOptionEdit(typed, p_.boxes); };
    if (!p_.dialogs.editOption(texts, accept)) return;
    r.name = texts.name;
    r.configLines = texts.configLines;
    r.autoexecLines = texts.autoexecLines;
    showName(row);
    s_.changed = true;
}

void Form1::Command2_Click() {
    restartIntoDos(s_, p_);
}

void Form1::Command3_Click() {
    saveState(s_, p_);
}

void Form1::Command4_Click() {
    arrangeConfigurations(s_, p_);
}

void Form1::Command5_Click() {
    hideInTray(p_);
}

void Form1::Command6_Click() {
    editSettings(s_, p_);
}

void Form1::Command7_Click() {
    if (mayLeave(s_, p_)) p_.view.endProgram();
}

void Form1::MLaden_Click() {
    loadConfiguration(s_, p_);
}

void Form1::MSpeichernU_Click() {
    saveConfigurationAs(s_, p_);
}

void Form1::MÜber_Click() {
    showAboutBox(p_);
}

void Form1::MKBeenden_Click() {
    leaveFromTray(s_, p_);
}

void Form1::MFenster_Click() {
    showFromTray(p_);
}

void Form1::MKontext_Click(int index) {
    if (std::optional<std::string> selection = listedSelection(s_, p_, index))
        applyChosen(*selection);
}

void Form1::applyChosen(const std::string& selection) {
    bool sofort = s_.settings.restartOnChoice == kOn;
    if (!sofort) showFromTray(p_);
    Konfiguration(s_, p_.view, selection, "setzen");
    if (sofort) restartIntoDos(s_, p_);
}
