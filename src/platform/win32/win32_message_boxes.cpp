// Message boxes through MessageBoxA.
#include "platform/win32/win32_platform.h"

Answer answerOf(int result, unsigned style) {
    switch (style & 0x0F) {
        case mb::Ok:
            return Answer::Ok;
        case mb::YesNo:
            return result == IDYES ? Answer::Yes : Answer::No;
        default:
            break;
    }
    switch (result) {
        case IDOK:
            return Answer::Ok;
        case IDYES:
            return Answer::Yes;
        case IDNO:
            return Answer::No;
        default:
            return Answer::Cancel;
    }
}

Answer Win32MessageBoxes::show(const std::string& text, const std::string& title, unsigned style) {
    return answerOf(MessageBoxA(owner_, text.c_str(), title.c_str(), style), style);
}
