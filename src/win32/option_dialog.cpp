#include "win32/option_dialog.h"

#include <string>

#include "dialogs/centre.h"
#include "win32/failure.h"
#include "win32/layout.h"
#include "win32/resource.h"

namespace {

constexpr int kClientWidth = 4935, kClientHeight = 2475;  // twips
constexpr DWORD kMultiLine =
    ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_TABSTOP;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;

// Created in this order, which is also the tab order (the labels take no focus).
const ControlSpec kControls[] = {
    {IDC_F2_LABEL1, "STATIC", "Name:", SS_LEFT, 0, 120, 120, 4695, 240},
    {IDC_F2_TEXT1, "EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 120, 360, 4695, 285},
    {IDC_F2_LABEL2, "STATIC", "Zeilen in Config.sys:", SS_LEFT, 0, 120, 720, 4695, 240},
    {IDC_F2_TEXT2, "EDIT", "", kMultiLine, WS_EX_CLIENTEDGE, 120, 960, 4695, 285},
    {IDC_F2_LABEL3, "STATIC", "Zeilen in Autoexec.bat:", SS_LEFT, 0, 120, 1320, 4695, 240},
    {IDC_F2_TEXT3, "EDIT", "", kMultiLine, WS_EX_CLIENTEDGE, 120, 1560, 4695, 285},
    {IDC_F2_COMMAND1, "BUTTON", "&Abbrechen", kButton, 0, 120, 1980, 1455, 375},
    {IDC_F2_COMMAND2, "BUTTON", "Ü&bernehmen", kButton, 0, 3360, 1980, 1455, 375},
};

struct DialogState {
    OptionEdit& texts;
    HFONT font = nullptr;
};

std::string textOf(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    std::string text(GetWindowTextLengthA(control) + 1, '\0');
    text.resize(GetWindowTextA(control, text.data(), static_cast<int>(text.size())));
    return text;
}

// A multi-line edit closes its dialog on Escape by itself; neither Escape nor
// Enter may end this one, so the key is kept from the edit.
LRESULT CALLBACK multiLineEdit(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(edit, GWLP_USERDATA));
    bool escape = wParam == VK_ESCAPE && (message == WM_KEYDOWN || message == WM_CHAR);
    if (escape) return 0;
    return CallWindowProcA(original, edit, message, wParam, lParam);
}

void keepEscapeFrom(HWND edit) {
    LONG_PTR original =
        SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(multiLineEdit));
    SetWindowLongPtrA(edit, GWLP_USERDATA, original);
}

void placeOverOwner(HWND dialog) {
    RECT outer, owner;
    GetWindowRect(dialog, &outer);
    GetWindowRect(GetWindow(dialog, GW_OWNER), &owner);
    Placement at =
        centredOver(owner.left, owner.top, owner.right - owner.left, owner.bottom - owner.top,
                    outer.right - outer.left, outer.bottom - outer.top);
    SetWindowPos(dialog, nullptr, static_cast<int>(at.left), static_cast<int>(at.top), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void initialise(HWND dialog, DialogState& state) {
    Twips twips;
    setClientSize(dialog, twips.x(kClientWidth), twips.y(kClientHeight));
    state.font = twips.createControlFont();
    for (const ControlSpec& item : kControls) createControl(dialog, item, twips, state.font);
    keepEscapeFrom(GetDlgItem(dialog, IDC_F2_TEXT2));
    keepEscapeFrom(GetDlgItem(dialog, IDC_F2_TEXT3));
    const int edits[] = {IDC_F2_TEXT1, IDC_F2_TEXT2, IDC_F2_TEXT3};
    const std::string* values[] = {&state.texts.Name, &state.texts.ConfigLines,
                                   &state.texts.AutoexecLines};
    for (int i = 0; i < 3; ++i) {
        SendDlgItemMessageA(dialog, edits[i], EM_LIMITTEXT, 0, 0);  // as much as the edit can hold
        SetDlgItemTextA(dialog, edits[i], values[i]->c_str());
    }
    placeOverOwner(dialog);
    SetFocus(GetDlgItem(dialog, IDC_F2_TEXT1));
}

void accept(HWND dialog, DialogState& state) {
    OptionEdit typed{textOf(dialog, IDC_F2_TEXT1), textOf(dialog, IDC_F2_TEXT2),
                     textOf(dialog, IDC_F2_TEXT3)};
    state.texts = std::move(typed);
    EndDialog(dialog, 1);
}

INT_PTR handleMessage(HWND dialog, UINT message, WPARAM wParam, DialogState& state) {
    switch (message) {
        case WM_COMMAND:
            // IDOK and IDCANCEL, which Enter and Escape send, are not answered.
            if (HIWORD(wParam) != BN_CLICKED) return FALSE;
            if (LOWORD(wParam) == IDC_F2_COMMAND1) EndDialog(dialog, 0);
            if (LOWORD(wParam) == IDC_F2_COMMAND2) accept(dialog, state);
            return TRUE;
        case WM_CLOSE:  // the close box
            EndDialog(dialog, 0);
            return TRUE;
        case WM_NCDESTROY:  // the controls are gone, their font may go too
            if (state.font) DeleteObject(state.font);
            state.font = nullptr;
            return FALSE;
    }
    return FALSE;
}

INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (!state) return FALSE;
    try {
        if (message == WM_INITDIALOG) {
            initialise(dialog, *state);
            return FALSE;  // the focus is set already
        }
        return handleMessage(dialog, message, wParam, *state);
    } catch (...) {
        reportUnexpectedFailure(dialog);
        EndDialog(dialog, 0);
        return TRUE;
    }
}

}  // namespace

bool showOptionDialog(HINSTANCE instance, HWND owner, OptionEdit& texts) {
    DialogState state{texts};
    INT_PTR result = DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_FORM2), owner, procedure,
                                     reinterpret_cast<LPARAM>(&state));
    if (result == -1) {
        MessageBoxA(owner, "Das Fenster \"Option ändern\" konnte nicht geöffnet werden.", "Velkor",
                    MB_OK | MB_ICONSTOP);
        return false;
    }
    return result == 1;
}
