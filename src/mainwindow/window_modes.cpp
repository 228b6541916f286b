#include "mainwindow/window_modes.h"

#include "store/saving.h"

bool hideInTray(Platform& p) {
    if (!p.tray.add()) return false;
    p.view.setVisible(false);
    return true;
}

void showFromTray(Platform& p) {
    p.tray.remove();
    p.view.setVisible(true);
}

void leaveFromTray(State& s, Platform& p) {
    p.tray.remove();
    if (mayLeave(s, p)) return p.view.endProgram();
    if (!p.tray.add()) p.view.setVisible(true);
}

void answerIconClick(Platform& p, IconClick click) {
    // While the window is shown there is no icon to click.
    if (p.view.isVisible() || click == IconClick::NotAClick) return;
    // A window opened from the icon's menu waits for the user, and the handler
    // that opened it with it: no second one may start inside it. The user who
    // lost it behind other windows gets it back.
    if (p.view.modalOpen()) return p.view.bringModalForward();
    if (click == IconClick::RightPress) p.view.showTrayMenu();
}

void addIconAgain(Platform& p) {
    if (!p.view.isVisible() && !p.tray.add()) p.view.setVisible(true);
}
