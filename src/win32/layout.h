// Windows and controls are measured in twips (1/1440 inch) and placed in
// pixels of the screen at hand, so they keep their proportions at any
// resolution. Every control uses the same bold font.
#pragma once
#include <windows.h>

#include <string>

class Twips {
  public:
    Twips();  // reads the screen's resolution
    int x(int twips) const { return MulDiv(twips, dpiX_, 1440); }
    int y(int twips) const { return MulDiv(twips, dpiY_, 1440); }

    // "MS Sans Serif" 8.25 pt bold. The caller deletes it.
    HFONT createControlFont() const { return createFont("MS Sans Serif", 825); }
    // A bold font of `face` at `points` hundredths of a point. The caller deletes it.
    HFONT createFont(const char* face, int points, bool underline = false) const;

  private:
    int dpiX_ = 96, dpiY_ = 96;
};

struct ControlSpec {
    int id;
    const char* className;
    const char* caption;
    DWORD style;  // WS_CHILD and WS_VISIBLE are added
    DWORD exStyle;
    int left, top, width, height;  // client coordinates in twips
};

// Creates the control and gives it the font. Null if Windows refused.
HWND createControl(HWND parent, const ControlSpec& item, const Twips& twips, HFONT font);

// Resizes `window` so that its client area is width x height pixels,
// whatever frame, caption and menu bar it has.
void setClientSize(HWND window, int width, int height);

// Moves `window` so that it stands centred over `area` (screen pixels), even
// where that puts part of it off the screen.
void centreOver(HWND window, const RECT& area);

// The text of a window or control, as long as it is.
std::string textOf(HWND window);
