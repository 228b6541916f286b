#include "mainwindow/main_window.h"

#include "configs/arrange_dialog.h"
#include "configs/configurations.h"
#include "dialogs/about_box.h"
#include "dialogs/option_editor.h"
#include "dialogs/settings_dialog.h"
#include "dosmode/restart.h"
#include "mainwindow/window_modes.h"
#include "platform/text_rules.h"
#include "store/ini_store.h"
#include "store/replacing.h"
#include "store/saving.h"

bool MainWindow::start() {
    p_.view.centreOnScreen();
    s_.iniPath = inFolder(p_.system.programFolder(), "Velkor.ini");
    if (!readIni()) return false;
    applyCommandLine(s_, p_, p_.system.commandLine());
    fillConfigMenus(s_, p_.view);
    p_.tray.prepare();
    // Started in the notification area, the window is never shown.
    if (s_.settings.startInTray != kOn || !::hideInTray(p_)) p_.view.setVisible(true);
    return true;
}

// Started with empty options, Velkor would replace the real file at the next save.
bool MainWindow::readIni() {
    std::string unreadable;
    while (!(unreadable = loadIni(s_, p_.files)).empty()) {
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

void MainWindow::showName(int option) {
    p_.view.showName(option, doubled(s_.options[option].name, '&'));
}

bool MainWindow::mayClose() {
    return mayLeave(s_, p_);
}

bool MainWindow::mayEndSession() {
    // The restart asked its questions before it asked Windows to reboot.
    return s_.rebootRequested || mayLeave(s_, p_);
}

void MainWindow::iconClicked(IconClick click) {
    answerIconClick(p_, click);
}

void MainWindow::taskbarRestarted() {
    addIconAgain(p_);
}

void MainWindow::startedAgain(const std::string& commandLine) {
    // The handler that opened the modal window is still running.
    if (p_.view.modalOpen()) return p_.view.bringModalForward();
    // A double click on a file only ticks, as at a start; it never restarts.
    showFromTray(p_);
    applyCommandLine(s_, p_, commandLine);
}

void MainWindow::tick(int option, bool ticked) {
    s_.options[option].ticked = ticked ? 1 : 0;
}

void MainWindow::editOption(int option) {
    Option& o = s_.options[option];
    OptionTexts texts{o.name, o.configLines, o.autoexecLines};
    auto accept = [this](OptionTexts& typed) { return acceptOptionTexts(typed, p_.boxes); };
    if (!p_.dialogs.showOptionEditor(texts, accept)) return;
    o.name = texts.name;
    o.configLines = texts.configLines;
    o.autoexecLines = texts.autoexecLines;
    showName(option);
    s_.changed = true;
}

void MainWindow::restart() {
    restartIntoDos(s_, p_);
}

void MainWindow::save() {
    saveState(s_, p_);
}

void MainWindow::arrange() {
    arrangeConfigurations(s_, p_);
}

void MainWindow::hideInTray() {
    ::hideInTray(p_);
}

void MainWindow::editSettings() {
    ::editSettings(s_, p_);
}

void MainWindow::quit() {
    if (mayLeave(s_, p_)) p_.view.endProgram();
}

void MainWindow::loadConfiguration() {
    ::loadConfiguration(s_, p_);
}

void MainWindow::saveConfigurationAs() {
    ::saveConfigurationAs(s_, p_);
}

void MainWindow::showAbout() {
    showAboutBox(p_);
}

void MainWindow::quitFromTray() {
    leaveFromTray(s_, p_);
}

void MainWindow::showWindow() {
    showFromTray(p_);
}

void MainWindow::chooseConfiguration(int index) {
    if (std::optional<std::string> selection = listedSelection(s_, p_, index))
        applyChosen(*selection);
}

void MainWindow::applyChosen(const std::string& selection) {
    bool atOnce = s_.settings.restartOnChoice == kOn;
    if (!atOnce) showFromTray(p_);
    tickSelection(s_, p_.view, selection);
    if (atOnce) restartIntoDos(s_, p_);
}
