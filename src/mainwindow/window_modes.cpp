#include "mainwindow/window_modes.h"

#include "mainwindow/saving.h"

namespace {
constexpr int kRightButtonDown = 0x204;  // WM_RBUTTONDOWN, the icon's callback message
}  // namespace

bool toTray(Platform& p) {
    if (!p.tray.add()) return false;
    p.view.setVisible(false);
    return true;
}

void fromTray(Platform& p) {
    p.tray.remove();
    p.view.setVisible(true);
}

void MKBeenden_Click(State& s, Platform& p) {
    p.tray.remove();
    if (mayLeave(s, p)) return p.view.endProgram();
    if (!p.tray.add()) p.view.setVisible(true);
}

void Form_MouseDown(Platform& p, int button, int x) {
    // While the window is shown there is no icon: this was a click on the window.
    if (p.view.isVisible() || button != kRightButton || x != kRightButtonDown) return;
    p.view.showContextMenu();
}

void taskbarCreated(Platform& p) {
    if (!p.view.isVisible() && !p.tray.add()) p.view.setVisible(true);
}
