// Velkor.exe: hands a second start over to the Velkor that runs; otherwise
// builds the platform, the Win32 main window and the MainWindow whose events it
// routes, loads, shows and runs until the main window is gone.
#include <windows.h>

#include "mainwindow/main_window.h"
#include "platform/text_rules.h"
#include "platform/win32/win32_platform.h"
#include "win32/one_velkor.h"
#include "win32/win32_dialogs.h"
#include "win32/win32_main_window.h"

namespace {

int run(HINSTANCE instance) {
    Win32Files files;
    Win32System system;
    OneVelkor one(inFolder(system.programFolder(), "Velkor.ini"));
    switch (one.start(system.commandLine())) {
        case OneVelkor::Start::First:
            break;
        case OneVelkor::Start::HandedOver:
            return 0;
        case OneVelkor::Start::NoAnswer:
            MessageBoxA(nullptr,
                        "Velkor läuft bereits, reagiert aber nicht.\r"
                        "Bitte warten Sie einen Moment und\r"
                        "versuchen Sie es dann erneut.",
                        "Velkor", MB_OK | MB_ICONEXCLAMATION | MB_SETFOREGROUND);
            return 1;
    }
    Win32MessageBoxes boxes;
    Win32MainWindow window(instance);
    if (!window.create()) {
        MessageBoxA(nullptr, "Das Hauptfenster von Velkor konnte nicht angelegt werden.", "Velkor",
                    MB_OK | MB_ICONSTOP);
        return 1;
    }
    boxes.setMainWindow(window.handle());
    Win32Dialogs dialogs(instance, window.handle());
    Win32FileDialogs fileDialogs;
    fileDialogs.setMainWindow(window.handle());
    Win32Tray tray;
    tray.setMainWindow(window.handle());
    Win32Registry registry;
    Platform platform{files, system, boxes, window, dialogs, fileDialogs, tray, registry};
    MainWindow logic(platform);
    window.attach(logic);
    window.takeHandOvers(one.key());

    if (!logic.start()) window.endProgram();  // the user chose not to start

    // The dialog manager gives the main window Tab and the access keys.
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        HWND main = window.handle();
        if (main && IsDialogMessageA(main, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // A listed file on an empty floppy or CD drive is Velkor's to report, not
    // a system box's.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    return run(instance);
}
