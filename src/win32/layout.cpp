#include "win32/layout.h"

Twips::Twips() {
    if (HDC screen = GetDC(nullptr)) {
        dpiX_ = GetDeviceCaps(screen, LOGPIXELSX);
        dpiY_ = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }
}

HFONT Twips::createFont(const char* face, int points, bool underline) const {
    // The size as a character height in pixels, negative for "without leading".
    return CreateFontA(-MulDiv(points, dpiY_, 7200), 0, 0, 0, FW_BOLD, FALSE, underline, FALSE,
                       ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, face);
}

HWND createControl(HWND parent, const ControlSpec& item, const Twips& twips, HFONT font) {
    HWND control = CreateWindowExA(
        item.exStyle, item.className, item.caption, WS_CHILD | WS_VISIBLE | item.style,
        twips.x(item.left), twips.y(item.top), twips.x(item.width), twips.y(item.height), parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(item.id)),
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr);
    if (control && font) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

void setClientSize(HWND window, int width, int height) {
    // Measured, not computed: a menu bar may wrap into two lines when the
    // width changes, so a second round corrects the height once more.
    for (int round = 0; round < 2; ++round) {
        RECT outer, client;
        GetWindowRect(window, &outer);
        GetClientRect(window, &client);
        if (client.right == width && client.bottom == height) return;
        int w = outer.right - outer.left + width - client.right;
        int h = outer.bottom - outer.top + height - client.bottom;
        SetWindowPos(window, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void centreOver(HWND window, const RECT& area) {
    // Halves as the exact half would be cut to a pixel, without floating point,
    // which a 486SX does not have.
    RECT outer;
    GetWindowRect(window, &outer);
    int left = (2 * area.left + (area.right - area.left) - (outer.right - outer.left)) / 2;
    int top = (2 * area.top + (area.bottom - area.top) - (outer.bottom - outer.top)) / 2;
    SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string textOf(HWND window) {
    std::string text(GetWindowTextLengthA(window) + 1, '\0');
    text.resize(GetWindowTextA(window, text.data(), static_cast<int>(text.size())));
    return text;
}
