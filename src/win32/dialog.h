// The base of the program's modal dialogs: one dialog procedure, the controls
// laid out in twips, centred over the owner, ended with a result. A dialog
// shows and collects; its caller decides what follows.
#pragma once
#include <windows.h>

#include <cstddef>

#include "win32/layout.h"

class Dialog {
  public:
    virtual ~Dialog();
    // Shows the dialog of resource `templateId` over `owner` until it ends.
    // Returns the result it ended with; -1 if it could not be shown (the user
    // has then been told).
    INT_PTR run(HINSTANCE instance, HWND owner, int templateId);

  protected:
    // The window exists and is not yet shown: create and fill the controls.
    virtual void onInit() = 0;
    // A button or check box was clicked.
    virtual void onClick(int id) = 0;
    // Anything else; TRUE if handled.
    virtual INT_PTR onMessage(UINT, WPARAM, LPARAM) { return FALSE; }

    // Sizes the client area, creates the controls in their tab order with the
    // standard font, and centres the dialog over its owner.
    void layOut(int clientWidth, int clientHeight, const ControlSpec* controls, std::size_t count);
    void end(INT_PTR result) { EndDialog(window_, result); }
    HWND item(int id) const { return GetDlgItem(window_, id); }
    HWND window() const { return window_; }
    const Twips& twips() const { return twips_; }

  private:
    static INT_PTR CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    Twips twips_;
    HFONT font_ = nullptr;
};
