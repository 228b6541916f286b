// The program's icon in the notification area of the task bar.
#pragma once

// What the user did with the mouse on the icon.
enum class IconClick {
    RightPress,  // the right button went down
    OtherClick,  // any other press, release or double click of a button
    NotAClick,   // a move, or anything else the icon reports
};

class Tray {
  public:
    virtual ~Tray() = default;
    // Fills the icon's record from the main window, once at start-up.
    virtual void prepare() = 0;
    // False if the notification area refused the icon.
    virtual bool add() = 0;
    virtual void remove() = 0;
};
