#include "win32/dialog.h"

Dialog::~Dialog() {
    if (font_) DeleteObject(font_);
}

INT_PTR Dialog::run(HINSTANCE instance, HWND owner, int templateId) {
    INT_PTR result = DialogBoxParamA(instance, MAKEINTRESOURCEA(templateId), owner, procedure,
                                     reinterpret_cast<LPARAM>(this));
    if (result == -1)
        MessageBoxA(owner, "Das Fenster konnte nicht geöffnet werden.", "Velkor",
                    MB_OK | MB_ICONSTOP);
    return result;
}

void Dialog::layOut(int clientWidth, int clientHeight, const ControlSpec* controls,
                    std::size_t count) {
    setClientSize(window_, twips_.x(clientWidth), twips_.y(clientHeight));
    if (!font_) font_ = twips_.createControlFont();
    for (std::size_t i = 0; i < count; ++i) createControl(window_, controls[i], twips_, font_);
    RECT owner;
    GetWindowRect(GetWindow(window_, GW_OWNER), &owner);
    centreOver(window_, owner);
}

INT_PTR CALLBACK Dialog::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        reinterpret_cast<Dialog*>(lParam)->window_ = window;
    }
    auto* self = reinterpret_cast<Dialog*>(GetWindowLongPtrA(window, DWLP_USER));
    if (!self) return FALSE;
    return self->handle(message, wParam, lParam);
}

INT_PTR Dialog::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            onInit();
            return FALSE;  // the dialog has set the focus itself
        case WM_COMMAND:
            // IDOK and IDCANCEL, which Enter and Escape send, are not answered:
            // only the buttons and the close box end a dialog.
            if (HIWORD(wParam) != BN_CLICKED || !lParam) return FALSE;
            onClick(LOWORD(wParam));
            return TRUE;
        case WM_CLOSE:  // the close box cancels
            end(0);
            return TRUE;
    }
    return onMessage(message, wParam, lParam);
}
