#include "mainwindow/window_modes.h"

#include "store/saving.h"

namespace {
constexpr int kRightButtonDown = 0x204;  // WM_RBUTTONDOWN, the icon's callback message
// The mouse messages of a press, release or double click of any button.
constexpr int kFirstClick = 0x201, kLastClick = 0x209;
}  // namespace

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

void answerIconClick(Platform& p, int button, int x) {
    // While the window is shown there is no icon: this was a click on the window.
    if (p.view.isVisible() || button != kRightButton) return;
    // A window opened from the icon's menu waits for the user, and the handler
    // that opened it with it: no second one may start inside it. The user who
    // lost it behind other windows gets it back.
    if (p.view.modalOpen()) {
        if (x >= kFirstClick && x <= kLastClick) p.view.bringModalForward();
        return;
    }
    if (x == kRightButtonDown) p.view.showTrayMenu();
}

void addIconAgain(Platform& p) {
    if (!p.view.isVisible() && !p.tray.add()) p.view.setVisible(true);
}
