// Message boxes through MessageBoxA.
#include "platform/text_rules.h"
#include "platform/win32/win32_platform.h"

Answer Win32MessageBoxes::show(const std::string& text, const std::string& title, unsigned style) {
    HWND owner = main_ ? GetLastActivePopup(main_) : nullptr;
    // In front also while the main window is hidden in the notification area.
    return answerOf(MessageBoxA(owner, text.c_str(), title.c_str(), style | MB_SETFOREGROUND),
                    style);
}
