// Velkor's main window, controls, fonts and menus with none of its logic:
// what start-up costs before Velkor reads a single file.
#include <windows.h>

#include "win32/win32_main_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    Win32MainWindow window(instance);
    if (!window.create()) return 1;
    window.centreOnScreen();
    window.setVisible(true);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageA(window.handle(), &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
