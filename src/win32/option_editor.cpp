// The option editor, "Option ändern": the name and the start-file lines of one option.
#include <functional>

#include "win32/dialog.h"
#include "win32/resource.h"
#include "win32/win32_dialogs.h"

namespace {

constexpr int kClientWidth = 4935, kClientHeight = 2475;  // twips
constexpr DWORD kMultiLine =
    ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_TABSTOP;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;

// Created in this order, which is also the tab order (the labels take no focus).
const ControlSpec kControls[] = {
    {IDC_OPTION_EDITOR_NAME_LABEL, "STATIC", "Name:", SS_LEFT, 0, 120, 120, 4695, 240},
    {IDC_OPTION_EDITOR_NAME, "EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 120, 360,
     4695, 285},
    {IDC_OPTION_EDITOR_CONFIG_LABEL, "STATIC", "Zeilen in Config.sys:", SS_LEFT, 0, 120, 720, 4695,
     240},
    {IDC_OPTION_EDITOR_CONFIG, "EDIT", "", kMultiLine, WS_EX_CLIENTEDGE, 120, 960, 4695, 285},
    {IDC_OPTION_EDITOR_AUTOEXEC_LABEL, "STATIC", "Zeilen in Autoexec.bat:", SS_LEFT, 0, 120, 1320,
     4695, 240},
    {IDC_OPTION_EDITOR_AUTOEXEC, "EDIT", "", kMultiLine, WS_EX_CLIENTEDGE, 120, 1560, 4695, 285},
    {IDC_OPTION_EDITOR_CANCEL, "BUTTON", "&Abbrechen", kButton, 0, 120, 1980, 1455, 375},
    {IDC_OPTION_EDITOR_ACCEPT, "BUTTON", "Ü&bernehmen", kButton, 0, 3360, 1980, 1455, 375},
};

const int kEdits[] = {IDC_OPTION_EDITOR_NAME, IDC_OPTION_EDITOR_CONFIG, IDC_OPTION_EDITOR_AUTOEXEC};
std::string OptionTexts::*const kFields[] = {&OptionTexts::name, &OptionTexts::configLines,
                                             &OptionTexts::autoexecLines};

// A multi-line edit closes its dialog on Escape by itself; neither Escape nor
// Enter may end this one, so the key is kept from the edit.
LRESULT CALLBACK multiLineEdit(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(edit, GWLP_USERDATA));
    if (wParam == VK_ESCAPE && (message == WM_KEYDOWN || message == WM_CHAR)) return 0;
    return CallWindowProcA(original, edit, message, wParam, lParam);
}

void keepEscapeFrom(HWND edit) {
    LONG_PTR original =
        SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(multiLineEdit));
    SetWindowLongPtrA(edit, GWLP_USERDATA, original);
}

class OptionEditor : public Dialog {
  public:
    OptionEditor(OptionTexts& texts, const std::function<bool(OptionTexts&)>& accept)
        : texts_(texts), accept_(accept) {}

  private:
    void onInit() override;
    void onClick(int id) override;

    OptionTexts& texts_;
    const std::function<bool(OptionTexts&)>& accept_;
};

void OptionEditor::onInit() {
    layOut(kClientWidth, kClientHeight, kControls, std::size(kControls));
    keepEscapeFrom(item(IDC_OPTION_EDITOR_CONFIG));
    keepEscapeFrom(item(IDC_OPTION_EDITOR_AUTOEXEC));
    for (int i = 0; i < 3; ++i) {
        SendMessageA(item(kEdits[i]), EM_LIMITTEXT, 0, 0);  // as much as the edit can hold
        SetWindowTextA(item(kEdits[i]), (texts_.*kFields[i]).c_str());
    }
    SetFocus(item(IDC_OPTION_EDITOR_NAME));
}

void OptionEditor::onClick(int id) {
    if (id == IDC_OPTION_EDITOR_CANCEL) end(0);
    if (id != IDC_OPTION_EDITOR_ACCEPT) return;
    OptionTexts typed;
    for (int i = 0; i < 3; ++i) typed.*kFields[i] = textOf(item(kEdits[i]));
    if (!accept_(typed)) return;
    texts_ = std::move(typed);
    end(1);
}

}  // namespace

bool Win32Dialogs::showOptionEditor(OptionTexts& texts,
                                    const std::function<bool(OptionTexts&)>& accept) {
    return OptionEditor(texts, accept).run(instance_, owner_, IDD_OPTION_EDITOR) == 1;
}
