// The standard file dialogs, through the ANSI functions Windows 95 has.
#include <windows.h>
// After windows.h, which it needs.
#include <commdlg.h>

#include "platform/win32/on_demand.h"
#include "platform/win32/win32_platform.h"

std::optional<std::string> Win32FileDialogs::show(const std::string& title, bool saving) {
    char path[MAX_PATH] = "";
    OPENFILENAMEA dialog{};
    dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;  // what Windows 95 accepts
    dialog.hwndOwner = main_ ? GetLastActivePopup(main_) : nullptr;
    dialog.lpstrFilter = "Konfigurations-Dateien (*.vkf)\0*.vkf\0";
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof path;
    dialog.lpstrTitle = title.c_str();
    dialog.lpstrDefExt = "vkf";
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST |
                   (saving ? OFN_OVERWRITEPROMPT | OFN_NOREADONLYRETURN : OFN_FILEMUSTEXIST);
    auto show = onDemand<decltype(&GetOpenFileNameA)>(
        "comdlg32.dll", saving ? "GetSaveFileNameA" : "GetOpenFileNameA");
    if (!show || !show(&dialog)) return std::nullopt;
    return std::string(path);
}

std::optional<std::string> Win32FileDialogs::open(const std::string& title) {
    return show(title, false);
}

std::optional<std::string> Win32FileDialogs::save(const std::string& title) {
    return show(title, true);
}
